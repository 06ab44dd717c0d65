# Redraws every picture and the demo folder into a scratch folder and compares
# them with the committed ones: a change to the drawing code must come with its
# pictures, and nobody edits a generated file by hand.
set -euo pipefail
generator=$1
source_dir=$2
out=$(mktemp -d); trap 'rm -rf "$out"' EXIT
"$generator" "$out/pictures" "$out/demo" >/dev/null 2>&1
diff -r "$source_dir/src/ui/pictures" "$out/pictures"
(cd "$out/demo" && find . -type f) | while read -r file; do
  cmp "$out/demo/$file" "$source_dir/demo/$file" || exit 1
done
echo "pictures and demo files match the generator"
