#!/usr/bin/env bash
# Prints one sheet end to end through CUPS: starts a cupsd of its own (private
# configuration, spool and socket, nothing of the system's CUPS is touched), adds
# a cups-pdf queue, prints a label file with "--print --printer" and checks the
# PDF that arrives: one page, the label black at the position the sheet format
# gives. Needs cups, printer-driver-cups-pdf, poppler-utils; run as root (CI).
#   scripts/cups-print.sh [PROGRAM]
set -euo pipefail
cd "$(dirname "$0")/.."
exe=$(readlink -f "${1:-build/src/aufkleber-werkbank}")
queue=AWB-PDF
work=$(mktemp -d /tmp/awb-cups.XXXXXX)
pid=""
cleanup() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
[ -n "${AWB_CUPS_KEEP:-}" ] && trap - EXIT

fail() {
    echo "cups-print: $*" >&2
    for log in "$work"/log/error_log; do
        [ -f "$log" ] && tail -n 30 "$log" >&2
    done
    exit 1
}

# Filters run as the lp user: the work folder must be reachable for them.
chmod 755 "$work"
mkdir -p "$work"/{etc/ppd,spool,cache,state,log,home}
mkdir -m 1777 "$work/tmp"
chgrp lp "$work/spool" && chmod 0710 "$work/spool"
cat >"$work/etc/cupsd.conf" <<CONF
Listen $work/cups.sock
LogLevel info
DefaultAuthType None
WebInterface No
Browsing No
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
<Location />
  Order deny,allow
</Location>
CONF
cat >"$work/etc/cups-files.conf" <<CONF
ServerRoot $work/etc
RequestRoot $work/spool
CacheDir $work/cache
StateDir $work/state
TempDir $work/tmp
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
Sandboxing Relaxed
CONF

export CUPS_SERVER="$work/cups.sock"
/usr/sbin/cupsd -f -c "$work/etc/cupsd.conf" -s "$work/etc/cups-files.conf" &
pid=$!
for _ in $(seq 50); do
    [ -S "$work/cups.sock" ] && break
    sleep 0.2
done
[ -S "$work/cups.sock" ] || fail "cupsd did not start"

ppd=$(ls /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd /usr/share/ppd/cups-pdf/*.ppd 2>/dev/null | head -n 1)
[ -n "$ppd" ] || fail "no cups-pdf PPD (printer-driver-cups-pdf missing?)"
timeout 30 lpadmin -p "$queue" -E -v cups-pdf:/ -P "$ppd" || fail "lpadmin failed"
timeout 10 lpstat -p "$queue" >/dev/null || fail "the queue is missing"

# A label that is black all over (a rectangle beyond its edges, cut at them).
label="$work/schwarz.ett"
python3 - "$label" <<'PY'
import sys
sys.path.insert(0, "tests/data")
import ettfile as e
ww, wh = e.work_area(88.9), e.work_area(35.7)
doc = {"Format": e.start_format(), "WorkWidth": ww, "WorkHeight": wh, "BkgndMode": -1,
       "BkgndFile": "", "Zoom": 1.0, "UnitsPerPixel": 208.0,
       "Records": [e.record(1, Kind=1, Shape=3, Color=0, ShadowColor=0,
                            X=ww // 3, Y=wh // 3, Width=ww // 2, Height=wh // 2)]}
open(sys.argv[1], "wb").write(e.pack_label(doc))
PY

# cups-pdf writes into the job owner's ${HOME}/PDF; look there and in its spool.
marker="$work/marker"
touch "$marker"
env HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=offscreen \
    timeout 120 "$exe" --print "$label" --printer "$queue" --copies 1 --number 1 \
    || fail "printing failed"

pdf=""
for _ in $(seq 120); do
    pdf=$(find /root/PDF "$HOME/PDF" /var/spool/cups-pdf "$work/home" -name '*.pdf' \
        -newer "$marker" 2>/dev/null | head -n 1 || true)
    if [ -n "$pdf" ] && ! lpstat -o "$queue" 2>/dev/null | grep -q .; then
        break
    fi
    sleep 0.5
done
[ -n "$pdf" ] || fail "no PDF arrived"
cp "$pdf" "$work/arrived.pdf"
rm -f "$pdf"

pages=$(pdfinfo "$work/arrived.pdf" | awk '/^Pages:/ {print $2}')
[ "$pages" = 1 ] || fail "expected 1 page, got $pages"

# At 300 dpi the label covers x 118..1167 and y 11..431 (10 mm and 1 mm from the
# page's edges, 88.9 x 35.7 mm); the conversions of the CUPS filters may move an
# edge by up to two pixels (0.17 mm).
pdftoppm -r 300 -gray -singlefile "$work/arrived.pdf" "$work/page"
python3 - "$work/page.pgm" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
head = data.split(b"\n", 3)
w, h = map(int, head[1].split())
px = head[3]
dark = lambda x, y: px[y * w + x] < 64
xs = [x for x in range(0, w, 1) if dark(x, 200)]
ys = [y for y in range(0, h, 1) if dark(600, y)]
if not xs or not ys:
    sys.exit("cups-print: the label is missing from the page")
box = (xs[0], ys[0], xs[-1], ys[-1])
want = (118, 11, 1167, 431)
print("cups-print: label at", box, "expected", want)
if any(abs(a - b) > 2 for a, b in zip(box, want)):
    sys.exit("cups-print: the label is not where the sheet format puts it")
PY
echo "cups-print: one sheet printed through CUPS arrived as expected"
