#!/bin/sh
# A real printer for the print tests: CUPS with its PDF printer "PDF" as the default, and
# "Refusing", a queue that refuses every document. Starts cupsd when it is not running and adds
# the printers when they are missing; removes nothing.
command -v cupsd >/dev/null 2>&1 || { echo "CUPS is not installed: run scripts/setup"; exit 1; }
# One set-up at a time: two test runs starting cupsd together leave neither answering.
exec 9>/tmp/zerbo-cups.lock
flock 9
# lpstat -r exits 0 whether or not the scheduler runs: read what it says, in English (the
# tests run in a Japanese locale, and lpstat speaks it).
running() { LC_ALL=C lpstat -r 2>/dev/null | grep -q '^scheduler is running'; }
if ! running; then
  # A scheduler that is there but does not answer holds the port a new one needs.
  pkill -x cupsd 2>/dev/null
  i=0
  while pgrep -x -r D,R,S,T cupsd >/dev/null 2>&1 && [ $i -lt 50 ]; do i=$((i + 1)); sleep 0.1; done
  /usr/sbin/cupsd || { echo "cupsd did not start"; exit 1; }
  i=0
  until running; do
    i=$((i + 1)); [ $i -gt 300 ] && { echo "cupsd does not answer"; exit 1; }
    sleep 0.1
  done
fi
for queue in PDF Refusing; do
  if ! lpstat -p $queue >/dev/null 2>&1; then
    lpadmin -p $queue -v cups-pdf:/ -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd || { echo "lpadmin failed"; exit 1; }
  fi
  cupsenable $queue 2>/dev/null
done
# Set here, before any test starts, not by the tests: under Wine a test cannot wait for a
# Unix command it starts.
cupsaccept PDF 2>/dev/null
cupsreject Refusing 2>/dev/null
lpadmin -d PDF || exit 1
mkdir -p "$HOME/PDF"
echo "printers PDF and Refusing ready; documents land in $HOME/PDF"
