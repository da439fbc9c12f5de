// node-uci starts an engine without arguments, so a small script adds the subcommand.
import { mkdtempSync, writeFileSync, chmodSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';

export function engineScript(chesstool) {
  const dir = mkdtempSync(path.join(tmpdir(), 'chesstool-uci-'));
  const script = path.join(dir, 'chesstool-uci');
  writeFileSync(script, `#!/bin/sh\nexec '${path.resolve(chesstool)}' uci\n`);
  chmodSync(script, 0o755);
  return script;
}
