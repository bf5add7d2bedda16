// The VS Code grammar against the desktop editor: every visible character of every script in the
// style dump (written by the real editor, tests/gui/EditorStyleDump.cpp) must fall into the same
// colour class under the grammar, tokenized by vscode-textmate with vscode-oniguruma as VS Code
// does; the grammar's command words must be the editor's; and the block words must indent and
// fold the examples as they are written.
'use strict';
const fs = require('fs');
const path = require('path');
const textmate = require('vscode-textmate');
const oniguruma = require('vscode-oniguruma');

const root = path.resolve(__dirname, '..', '..');
const grammarFile = path.join(root, 'editors', 'vscode', 'syntaxes', 'tqc.tmLanguage.json');

// The colour class a token's scopes give, in the order a theme resolves them.
const kScopeClasses = [
  ['comment', 'Kommentare'],
  ['meta.preprocessor', 'Preprozessor'],
  ['string', 'Text'],
  ['keyword.other.command', 'Commands'],
  ['variable', 'Variablen'],
];

function scopeClass(scopes) {
  for (const [prefix, name] of kScopeClasses)
    if (scopes.some((scope) => scope === prefix || scope.startsWith(prefix + '.'))) return name;
  return 'Rest';
}

async function loadGrammar() {
  const wasm = fs.readFileSync(path.join(path.dirname(require.resolve('vscode-oniguruma')), 'onig.wasm'));
  await oniguruma.loadWASM(wasm.buffer.slice(wasm.byteOffset, wasm.byteOffset + wasm.byteLength));
  const registry = new textmate.Registry({
    onigLib: Promise.resolve({
      createOnigScanner: (patterns) => new oniguruma.OnigScanner(patterns),
      createOnigString: (text) => new oniguruma.OnigString(text),
    }),
    loadGrammar: async () => textmate.parseRawGrammar(fs.readFileSync(grammarFile, 'utf8'), grammarFile),
  });
  return registry.loadGrammar('source.tqc');
}

// The script's lines as the editor holds them (UTF-8, else ISO-8859-1; any line end).
function scriptLines(file) {
  const bytes = fs.readFileSync(file);
  let text = new TextDecoder('utf-8', { fatal: false }).decode(bytes);
  if (text.includes('\uFFFD')) text = bytes.toString('latin1');
  return text.replace(/^\uFEFF/, '').split(/\r\n|\r|\n/);
}

function compareFile(grammar, file, styles, classes, faults) {
  const lines = scriptLines(file);
  let stack = textmate.INITIAL;
  lines.forEach((line, index) => {
    const result = grammar.tokenizeLine(line, stack);
    stack = result.ruleStack;
    const desktop = styles[index] || [];
    const chars = [...line];
    if (chars.length !== desktop.length)
      faults.push(`${file}:${index + 1}: ${chars.length} characters, the editor styled ${desktop.length}`);
    let offset = 0;  // in UTF-16 units, as the tokens count
    chars.forEach((char, column) => {
      const token = result.tokens.find((t) => t.startIndex <= offset && offset < t.endIndex);
      offset += char.length;
      if (/\s/.test(char) || column >= desktop.length) return;  // blanks show no colour
      const want = classes[desktop[column]] || 'Rest';
      const got = scopeClass(token ? token.scopes : []);
      if (want !== got)
        faults.push(`${path.basename(file)}:${index + 1}:${column + 1} '${char}' in "${line.trim()}": ` +
                    `Editor ${want} (Stil ${desktop[column]}), Grammatik ${got} (${token && token.scopes.join(' ')})`);
    });
  });
}

// The language configuration's block words against the examples, which indent each block by two
// blanks: VS Code's indentation and folding then follow the same blocks.
function checkBlocks(file, faults) {
  const rules = JSON.parse(fs.readFileSync(path.join(root, 'editors', 'vscode', 'language-configuration.json'), 'utf8'));
  const pattern = (source) => new RegExp(source);
  const increase = pattern(rules.indentationRules.increaseIndentPattern);
  const decrease = pattern(rules.indentationRules.decreaseIndentPattern);
  const [start, end] = [pattern(rules.folding.markers.start), pattern(rules.folding.markers.end)];
  let depth = 0, open = 0;
  scriptLines(file).forEach((line, index) => {
    if (!line.trim()) return;
    if (decrease.test(line)) depth--;
    if (line.length - line.trimStart().length !== 2 * depth)
      faults.push(`${path.basename(file)}:${index + 1}: indented as depth ${depth} by the block words: "${line}"`);
    if (increase.test(line)) depth++;
    open += start.test(line) - end.test(line);
  });
  if (depth !== 0 || open !== 0) faults.push(`${path.basename(file)}: blocks left open: indentation ${depth}, folding ${open}`);
}

async function main() {
  const dump = JSON.parse(fs.readFileSync(process.argv[2], 'utf8'));
  const faults = [];
  const grammar = await loadGrammar();
  const commandRule = JSON.parse(fs.readFileSync(grammarFile, 'utf8')).repository.command.match;
  const grammarWords = /\(\?:([^()]*)\)/.exec(commandRule)[1].split('|').sort();
  const editorWords = dump.keywords.filter((word) => !word.startsWith('#')).sort();
  if (grammarWords.join(' ') !== editorWords.join(' '))
    faults.push(`command words: grammar ${grammarWords.join(' ')}\n  editor ${editorWords.join(' ')}`);
  for (const [file, styles] of Object.entries(dump.files)) {
    compareFile(grammar, file, styles, dump.classes, faults);
    if (file.startsWith(path.join(root, 'examples'))) checkBlocks(file, faults);
  }
  const files = Object.keys(dump.files).length;
  if (files === 0) faults.push('no script in the style dump');
  if (faults.length) {
    console.error(faults.join('\n'));
    console.error(`${faults.length} faults of the grammar or the block words`);
    process.exit(1);
  }
  console.log(`${files} scripts: every character in the desktop editor's colour class, the examples' blocks as written`);
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
