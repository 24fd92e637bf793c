#!/usr/bin/env bash
# Writes the sample report documents, reads them back with python-docx, and has LibreOffice
# convert each to PDF, which fails on a document it cannot read.
# Usage: check_docx.sh DOCX_SAMPLES_EXECUTABLE
set -euo pipefail
samples=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Numbers in the documents follow the locale; the checks expect "." decimals.
LC_ALL=C.UTF-8 "$samples" "$work"
/usr/bin/python3 "$here/check_docx.py" "$work"

# A private LibreOffice profile, so the test neither needs nor touches the user's.
timeout 240 soffice -env:UserInstallation="file://$work/profile" --headless --norestore \
    --convert-to pdf --outdir "$work/pdf" "$work"/stopwatch.docx "$work"/rate.docx \
    "$work"/speed.docx >"$work/soffice.log" 2>&1 || { cat "$work/soffice.log"; exit 1; }
for name in stopwatch rate speed; do
    pdf="$work/pdf/$name.pdf"
    [ -s "$pdf" ] || { echo "FAIL: no PDF for $name"; cat "$work/soffice.log"; exit 1; }
    text=$(pdftotext -layout "$pdf" -)
    grep -q "Chronofex" <<<"$text" || { echo "FAIL: $name.pdf lacks its title"; exit 1; }
done
grep -q "start; warm-up" <(pdftotext "$work/pdf/stopwatch.pdf" -) ||
    { echo "FAIL: the comment with ';' is not in one piece in stopwatch.pdf"; exit 1; }
# Keep the rendered PDFs for a look when asked to.
if [ -n "${CFX_DOCX_KEEP:-}" ]; then
    mkdir -p "$CFX_DOCX_KEEP" && cp "$work"/pdf/*.pdf "$work"/*.docx "$CFX_DOCX_KEEP"/
fi
echo "docx documents read back and converted"
