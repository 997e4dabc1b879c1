#!/bin/sh
# Builds the page into one self-contained folder with relative addresses only,
# and the same page as one file that opens from disk:
#   web/build.sh OUTPUT_DIR ONE_FILE.html VERSION
# VERSION is the project's, as the build hands it over.
# The module from encoder/, the pictures from res/art/, the texts and window
# values from the program's sources (data.js), the static files; then the
# first paint written into index.html by the page's own scripts, the one
# file made from that, and last the service worker with the list and digest
# of everything else.
set -eu
web=$(cd "$(dirname "$0")" && pwd)
repo=$(dirname "$web")
out=$1
one_file=$2
version=$3
rm -rf "$out"
mkdir -p "$out/src" "$out/art"
sh "$web/module/build.sh" "$out/rnrr.wasm"
python3 "$repo/tools/make_art.py" --png "$repo/res/art" "$out/art"
python3 "$web/tools/make_data.py" "$repo" "$web/texts.json" "$out/art" "$out/data.js" "$version"
cp "$web/index.html" "$web/style.css" "$web/manifest.webmanifest" "$out/"
cp "$web"/src/*.js "$out/src/"
node "$web/tools/prerender.mjs" "$out"
node "$web/tools/single_file.mjs" "$out" "$one_file"
python3 - "$out" "$web/sw.js" <<'PY'
import hashlib, json, os, sys
out, template = sys.argv[1], sys.argv[2]
files = sorted(os.path.relpath(os.path.join(d, f), out) for d, _, fs in os.walk(out) for f in fs)
digest = hashlib.sha256()
for name in files:
    digest.update(name.encode() + open(os.path.join(out, name), "rb").read())
text = open(template, encoding="utf-8").read()
text = text.replace("@VERSION@", digest.hexdigest()[:16]).replace("@FILES@", json.dumps(["./"] + files))
open(os.path.join(out, "sw.js"), "w", encoding="utf-8").write(text)
PY
echo "web: built $out and $one_file"
