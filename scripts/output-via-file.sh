#!/bin/bash
# output-via-file.sh LOG COMMAND [ARGS...]: runs the command with its output going to the file LOG,
# then shows that file, and ends with the command's status.
#
# Wine starts its desktop process from the first program that shows a window, and that process
# inherits the program's output. When it outlives the program (it waits for the Wine server of the
# run, which ends later), a caller reading the output through a pipe, as ctest does, never sees
# the pipe's end and waits until its timeout. A file has no such end to wait for.
log=$1
shift
"$@" >"$log" 2>&1
status=$?
cat "$log"
exit $status
