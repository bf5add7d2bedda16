-- One editing session in Neovim with the README's configuration (loaded as init.lua), in a copy of
-- the protocol example: an include's edit reaches the main script's errors, completion after `;`
-- and `#` inserts the name once, and rename changes every use, also inside the include.
local failures = 0
local function fail(what, seen)
  io.stdout:write("FEHLER: " .. what .. "\n  gesehen: " .. vim.inspect(seen) .. "\n")
  failures = failures + 1
end

local function open(file)
  vim.cmd("edit " .. file)
  local buf = vim.api.nvim_get_current_buf()
  local client
  vim.wait(10000, function()
    client = ({ next(vim.lsp.buf_get_clients(buf)) })[2]
    return client ~= nil and client.initialized
  end, 20)
  return buf, client
end

local function line_of(buf, text)
  for i, l in ipairs(vim.api.nvim_buf_get_lines(buf, 0, -1, false)) do
    if vim.trim(l) == text then return i - 1, l end
  end
  error("Zeile fehlt: " .. text)
end

local function count_word(bufs, word)
  local n = 0
  for _, buf in ipairs(bufs) do
    for _, l in ipairs(vim.api.nvim_buf_get_lines(buf, 0, -1, false)) do
      for _ in l:gmatch("%f[%w_]" .. word .. "%f[^%w_]") do n = n + 1 end
    end
  end
  return n
end

-- Where Neovim 0.7's omnifunc starts the inserted word: the server's textEdit start when all
-- items agree and carry no filterText, else the start of the keyword before the cursor.
local function omni_start(line, items)
  local start
  for _, item in ipairs(items) do
    if item.filterText == nil and item.textEdit then
      local c = item.textEdit.range.start.character
      if start and start ~= c then return vim.fn.match(line, "\\k*$") end
      start = c
    end
  end
  return start or vim.fn.match(line, "\\k*$")
end

local function session()
  vim.o.hidden = true
  local main, client = open("protokoll.tqc")
  if not client then return fail("kein Sprachserver an protokoll.tqc", vim.lsp.get_active_clients()) end
  local inc = open("protokoll.inc")
  if not next(vim.lsp.buf_get_clients(inc)) then return fail("kein Sprachserver an protokoll.inc", inc) end

  -- The main script sizes its text with the include's define: removing the define in the
  -- unsaved include must mark the main script's line, and putting it back must clear it.
  local define = "#define ;ANTWORT_LAENGE 40"
  local at = line_of(inc, define)
  local use = line_of(main, "defstr antwort , ;ANTWORT_LAENGE")
  vim.api.nvim_buf_set_lines(inc, at, at + 1, false, {})
  vim.wait(5000, function() return #vim.diagnostic.get(main) > 0 end, 20)
  local found = vim.tbl_filter(function(d)
    return d.lnum == use and d.message == "Wert ausserhalb des erlaubten Bereich"
  end, vim.diagnostic.get(main))
  if #found == 0 then fail("kein Bereichsfehler in Zeile " .. (use + 1), vim.diagnostic.get(main)) end
  vim.api.nvim_buf_set_lines(inc, at, at, false, { define })
  if not vim.wait(5000, function() return #vim.diagnostic.get(main) == 0 end, 20) then
    fail("Fehler bleiben nach dem Zurücksetzen des Includes", vim.diagnostic.get(main))
  end

  -- Completion of a typed line: the offered name is applied as Neovim's omnifunc and as a
  -- client applying the textEdit would, and both must give the line with the name once.
  local rows = {
    { typed = "send ;", label = "BEFEHL", want = "send ;BEFEHL" },
    { typed = "send ;BE", label = "BEFEHL", want = "send ;BEFEHL" },
    { typed = "sendbus ;GE", label = "GERAET", want = "sendbus ;GERAET" },
    { typed = "#inc", label = "include", want = "#include" },
  }
  local last = vim.api.nvim_buf_line_count(main)
  for _, row in ipairs(rows) do
    vim.api.nvim_buf_set_lines(main, last, -1, false, { row.typed })
    local answers = vim.lsp.buf_request_sync(main, "textDocument/completion", {
      textDocument = { uri = vim.uri_from_bufnr(main) },
      position = { line = last, character = #row.typed },
    }, 3000) or {}
    local result = (answers[client.id] or {}).result
    local items = vim.lsp.util.extract_completion_items(result or {})
    local start = omni_start(row.typed, items)
    local prefix = row.typed:sub(start + 1)
    local omni, edited
    for _, m in ipairs(vim.lsp.util.text_document_completion_list_to_complete_items(result or {}, prefix)) do
      if m.abbr:gsub("^[;#]", "") == row.label then
        omni = row.typed:sub(1, start) .. m.word
        local edit = m.user_data.nvim.lsp.completion_item.textEdit
        edited = edit and row.typed:sub(1, edit.range.start.character) .. edit.newText
                              .. row.typed:sub(edit.range["end"].character + 1)
      end
    end
    if omni ~= row.want then
      fail("Vervollständigung nach \"" .. row.typed .. "\" ergibt nicht \"" .. row.want .. "\"", { omnifunc = omni, items = items })
    elseif edited ~= row.want then
      fail("textEdit nach \"" .. row.typed .. "\" ergibt nicht \"" .. row.want .. "\"", { textEdit = edited, items = items })
    end
    vim.api.nvim_buf_set_lines(main, last, -1, false, {})
  end

  -- Rename: a mark (its label and the jump) and a define of the include used in the main script.
  local renames = {
    { at = "::abfrage", word = "abfrage", to = "anfrage" },
    { at = "sendbus ;GERAET , 255", word = "GERAET", to = "BUSGERAET" },
  }
  for _, row in ipairs(renames) do
    local lnum, text = line_of(main, row.at)
    local before = count_word({ main, inc }, row.word)
    -- As vim.lsp.buf.rename(): the name offered for editing is prepareRename's placeholder or
    -- range (a define keeps its `;`), and the user changes the word in it.
    local at = { textDocument = { uri = vim.uri_from_bufnr(main) },
                 position = { line = lnum, character = text:find(row.word, 1, true) - 1 } }
    local prepared = ((vim.lsp.buf_request_sync(main, "textDocument/prepareRename", at, 3000) or {})[client.id] or {}).result or {}
    local offered = prepared.placeholder
      or prepared.start and text:sub(prepared.start.character + 1, prepared["end"].character)
      or row.word
    at.newName = offered:gsub(row.word, row.to)
    local answers = vim.lsp.buf_request_sync(main, "textDocument/rename", at, 3000) or {}
    local answer = answers[client.id] or {}
    if answer.result then vim.lsp.util.apply_workspace_edit(answer.result, client.offset_encoding) end
    local old, new = count_word({ main, inc }, row.word), count_word({ main, inc }, row.to)
    if old ~= 0 or new ~= before then
      fail(row.word .. " -> " .. row.to .. ": " .. before .. " Stellen erwartet", {
        uebrig = old, umbenannt = new, angeboten = offered, antwort = answer,
        main = vim.api.nvim_buf_get_lines(main, 0, -1, false), include = vim.api.nvim_buf_get_lines(inc, 0, -1, false) })
    end
  end
end

local ok, err = xpcall(session, debug.traceback)
if not ok then fail("Lua-Fehler", err) end
if failures > 0 then vim.cmd("cq") end
io.stdout:write("Neovim-Sitzung: alles wie erwartet\n")
vim.cmd("qa!")
