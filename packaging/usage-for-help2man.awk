# Rewrites a program's --help for help2man, which takes the synopsis from
# "Usage: PROGRAM ..." and "  or:  PROGRAM ..." lines: our programs write
# "usage:", start each further form with the program's name under it, and
# continue a long form on lines indented further.
function flush() {
  if (held != "") print held
  held = ""
}
/^usage: / { program = $2; held = "Usage: " substr($0, 8); inUsage = 1; next }
inUsage && $1 == program { flush(); sub(/^ +/, ""); held = "  or:  " $0; next }
inUsage && /^ +/ { sub(/^ +/, " "); held = held $0; next }
{ flush(); inUsage = 0; print }
END { flush() }
