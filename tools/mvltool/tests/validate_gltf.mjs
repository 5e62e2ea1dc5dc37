// Runs the Khronos glTF validator over glTF and GLB files.
// Usage: node validate_gltf.mjs VALIDATOR_FOLDER FILE...
// VALIDATOR_FOLDER holds node_modules/gltf-validator (scripts/setup.sh puts it
// in tools/gltf_validator). Prints every issue; exits 1 when any file has an
// error (external files it names included), 2 when the validator is missing.
import { createRequire } from 'node:module';
import fs from 'node:fs/promises';
import path from 'node:path';

const [folder, ...files] = process.argv.slice(2);
let validator;
try {
  validator = createRequire(path.resolve(folder, 'package.json'))('gltf-validator');
} catch (e) {
  console.error(`validate_gltf: no gltf-validator under ${folder} (run scripts/setup.sh)`);
  process.exit(2);
}

const severities = ['error', 'warning', 'info', 'hint'];
let failed = false;
for (const file of files) {
  const bytes = new Uint8Array(await fs.readFile(file));
  const report = await validator.validateBytes(bytes, {
    uri: path.basename(file),
    maxIssues: 0,
    externalResourceFunction: (uri) =>
      fs.readFile(path.resolve(path.dirname(file), decodeURIComponent(uri))).then((b) => new Uint8Array(b)),
  });
  const issues = report.issues;
  console.log(`${file}: ${issues.numErrors} errors, ${issues.numWarnings} warnings, ` +
              `${issues.numInfos} infos, ${issues.numHints} hints`);
  for (const m of issues.messages) {
    console.log(`  ${severities[m.severity]} ${m.code} ${m.pointer ?? ''} ${m.message}`);
  }
  if (issues.numErrors > 0) failed = true;
}
process.exit(failed ? 1 : 0);
