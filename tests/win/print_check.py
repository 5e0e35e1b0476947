#!/usr/bin/python3
# Renders each PDF the print test listed at the printer's 300 dpi, decodes it with zbarimg and
# measures the printed symbol: its dark span must be the expected number of printer dots,
# within two (0 in the list: decode only).
import subprocess
import sys
import tempfile

from PIL import Image

folder = sys.argv[1]
failed = 0
with open(f"{folder}/expected.txt") as listing:
    lines = [l.rstrip("\n").split("\t") for l in listing if l.strip()]
if not lines:
    print("no PDF listed")
    sys.exit(1)
for name, text, span in lines:
    with tempfile.TemporaryDirectory() as tmp:
        subprocess.run(["pdftoppm", "-r", "300", "-gray", "-png", f"{folder}/{name}", f"{tmp}/page"], check=True)
        page = subprocess.run(["sh", "-c", f"ls {tmp}/page*.png | head -1"], capture_output=True, text=True).stdout.strip()
        read = subprocess.run(["zbarimg", "-q", "--raw", page], capture_output=True, text=True).stdout.strip()
        image = Image.open(page).convert("L")
        w, h = image.size
        pixels = image.load()
        dark = [x for x in range(w) if any(pixels[x, y] < 128 for y in range(0, h, 2))]
        printed = dark[-1] - dark[0] + 1 if dark else 0
    ok = read == text and (int(span) == 0 or abs(printed - int(span)) <= 2)
    failed += not ok
    print(f"{'ok  ' if ok else 'FAIL'} {name}: read '{read}' (expected '{text}'), span {printed} dots (expected {span})")
sys.exit(1 if failed else 0)
