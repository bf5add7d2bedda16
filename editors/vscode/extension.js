// Starts `tqc-cli lsp` for TqC scripts and include files: errors while typing, hover,
// completion and go to definition come from the same compiler as the desktop program's.
'use strict';
const fs = require('fs');
const path = require('path');
const vscode = require('vscode');
const { LanguageClient } = require('vscode-languageclient/node');

let client;

// The setting when given, else tqc-cli beside the extension (as a package may ship it), else the PATH.
function serverPath(context) {
  const configured = vscode.workspace.getConfiguration('tqc').get('cliPath', '').trim();
  if (configured) return configured;
  const name = process.platform === 'win32' ? 'tqc-cli.exe' : 'tqc-cli';
  for (const folder of [context.extensionPath, path.join(context.extensionPath, 'bin')]) {
    const beside = path.join(folder, name);
    if (fs.existsSync(beside)) return beside;
  }
  return name;
}

async function start(context) {
  const command = serverPath(context);
  client = new LanguageClient(
    'tqc',
    'TqC',
    // No transport named: with one the client adds `--stdio`, which tqc-cli refuses; stdio is the default.
    { command, args: ['lsp'] },
    {
      documentSelector: [
        { scheme: 'file', language: 'tqc' },
        { scheme: 'file', language: 'tqc-include' },
        { scheme: 'untitled', language: 'tqc' },
      ],
      synchronize: { fileEvents: vscode.workspace.createFileSystemWatcher('**/*.{tqc,inc}') },
    },
  );
  try {
    await client.start();
  } catch (error) {
    client = undefined;
    vscode.window.showErrorMessage(
      `TqC: Der Sprachserver "${command} lsp" lässt sich nicht starten (${error.message || error}). ` +
        'Den Pfad zu tqc-cli unter Einstellungen > "tqc.cliPath" eintragen.',
    );
  }
}

async function activate(context) {
  await start(context);
  context.subscriptions.push(
    vscode.workspace.onDidChangeConfiguration(async (event) => {
      if (!event.affectsConfiguration('tqc.cliPath')) return;
      if (client) await client.stop();
      await start(context);
    }),
  );
}

async function deactivate() {
  if (client) await client.stop();
}

module.exports = { activate, deactivate };
