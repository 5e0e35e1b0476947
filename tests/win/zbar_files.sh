#!/bin/sh
# Decodes the files a Win32 test saved for zbarimg. FOLDER/expected.txt holds a line
# "options<TAB>zbarimg options", then one line "file<TAB>text" per file.
dir=$1
command -v zbarimg >/dev/null 2>&1 || { echo "zbarimg (zbar-tools) is not installed: run scripts/setup"; exit 1; }
[ -s "$dir/expected.txt" ] || { echo "$dir/expected.txt is missing or empty"; exit 1; }
tab=$(printf '\t')
options=$(sed -n "s/^options$tab//p" "$dir/expected.txt")
status=0 count=0
while IFS="$tab" read -r file text; do
  [ "$file" = options ] && continue
  count=$((count + 1))
  # shellcheck disable=SC2086 # the options are words
  read=$(zbarimg -q --raw $options "$dir/$file" 2>/dev/null)
  if [ "$read" = "$text" ]; then
    echo "ok   $file: $read"
  else
    echo "FAIL $file: expected '$text', zbarimg read '$read'"
    status=1
  fi
done < "$dir/expected.txt"
[ "$count" -gt 0 ] || { echo "no files listed"; exit 1; }
exit $status
