# A print spooler for the tests: CUPS with a PDF printer as the default destination, so a
# job printed from Wine ends up as a PDF that the tests read back.
#
# Sourced by scripts/test:   . scripts/cups-env.sh && cups_env_start
# cups_env_stop ends the scheduler only when cups_env_start started it.

export MARDELLO_PRINTER=MardelloPDF
# The same PDF printer at another resolution, for checking that the page does not depend on it.
# Wine starts every printer's settings at 300 dpi whatever the queue says, so the test that
# uses it sets the resolution in Wine's printer settings as well.
export MARDELLO_PRINTER_1200DPI=MardelloPDF1200
# A PDF printer that refuses every job, for the tests of a print that fails.
export MARDELLO_PRINTER_REJECTING=MardelloRejecting
# The PDF printer writes each job to the submitting user's PDF folder, named after the job.
export MARDELLO_PDF_DIR="${HOME:-/root}/PDF"

cups_env_pid=

cups_env_running() { lpstat -r 2>/dev/null | grep -q "is running"; }

cups_env_start() {
    if ! cups_env_running; then
        # The scheduler may outlive the caller, so it must not inherit the caller's descriptors:
        # one of them may hold a lock that the caller's callers wait for.
        (
            for fd in /proc/self/fd/*; do
                fd=${fd##*/}
                [ "$fd" -gt 2 ] && eval "exec $fd>&-"
            done 2>/dev/null
            exec /usr/sbin/cupsd -f </dev/null >/dev/null 2>&1
        ) &
        cups_env_pid=$!
        local i
        for i in $(seq 100); do
            cups_env_running && break
            kill -0 "$cups_env_pid" 2>/dev/null || { echo "cups-env: cupsd did not start" >&2; return 1; }
            sleep 0.1
        done
        cups_env_running || { echo "cups-env: cupsd does not answer" >&2; return 1; }
    fi
    if ! lpstat -v "$MARDELLO_PRINTER" >/dev/null 2>&1; then
        lpadmin -p "$MARDELLO_PRINTER" -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null || {
            echo "cups-env: cannot add the PDF printer" >&2
            return 1
        }
    fi
    if ! lpstat -v "$MARDELLO_PRINTER_1200DPI" >/dev/null 2>&1; then
        lpadmin -p "$MARDELLO_PRINTER_1200DPI" -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd \
            -o Resolution=1200dpi 2>/dev/null || {
            echo "cups-env: cannot add the 1200-dpi PDF printer" >&2
            return 1
        }
    fi
    if ! lpstat -v "$MARDELLO_PRINTER_REJECTING" >/dev/null 2>&1; then
        lpadmin -p "$MARDELLO_PRINTER_REJECTING" -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null || {
            echo "cups-env: cannot add the refusing printer" >&2
            return 1
        }
    fi
    cupsreject -r "refuses every job" "$MARDELLO_PRINTER_REJECTING" 2>/dev/null
    lpadmin -d "$MARDELLO_PRINTER" 2>/dev/null
    local printer
    for printer in "$MARDELLO_PRINTER" "$MARDELLO_PRINTER_1200DPI"; do
        cupsenable "$printer" 2>/dev/null
        cupsaccept "$printer" 2>/dev/null
    done
    mkdir -p "$MARDELLO_PDF_DIR"
}

cups_env_stop() {
    if [ -n "$cups_env_pid" ]; then
        kill "$cups_env_pid" 2>/dev/null
        wait "$cups_env_pid" 2>/dev/null
        cups_env_pid=
    fi
    return 0
}
