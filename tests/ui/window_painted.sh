# shellcheck shell=bash
# Waits until an X window shows that it has painted, instead of sleeping for a while: a picture of the
# window holds more than one colour (the window is no longer its bare background) and the picture taken
# a tenth of a second later is the same one (nothing is still being drawn). Sourced by the smoke tests.
#
#   wait_painted WINDOW_ID SECONDS SCRATCH_FILE   returns 1 when the window did not paint in time

# The number of colours in an X window dump; 2 where netpbm is not installed, so that only the
# pictures' sameness is waited for.
xwd_colours() {
  if command -v xwdtopnm >/dev/null && command -v ppmhist >/dev/null; then
    xwdtopnm "$1" 2>/dev/null | ppmhist -noheader 2>/dev/null | wc -l
  else
    echo 2
  fi
}

wait_painted() {
  local window=$1 tenths=$(($2 * 10)) picture=$3
  rm -f "$picture" "$picture.next"
  for _ in $(seq 1 "$tenths"); do
    if xwd -id "$window" -silent -out "$picture.next" 2>/dev/null; then
      if [ -f "$picture" ] && cmp -s "$picture" "$picture.next" && [ "$(xwd_colours "$picture")" -gt 1 ]; then
        rm -f "$picture" "$picture.next"
        return 0
      fi
      mv "$picture.next" "$picture"
    fi
    sleep 0.1
  done
  rm -f "$picture" "$picture.next"
  return 1
}
