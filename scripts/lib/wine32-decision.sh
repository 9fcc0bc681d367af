# What scripts/install-deps does about 32-bit Wine, decided from three facts
# and nothing else, so that a test can ask without touching apt.  Sourced.
#
# wine32_decision KERNEL INSTALLED INSTALLABLE
#   KERNEL       yes when this kernel runs 32-bit programs (scripts/lib/runs-32bit)
#   INSTALLED    yes when wine32:i386 is installed
#   INSTALLABLE  yes when apt can install it now; otherwise apt's reason
# Prints one line: "none" (nothing to do), "install", or "skip: REASON",
# the reason the 32-bit Wine tests will give when they skip.
wine32_decision() {
  local kernel=$1 installed=$2 installable=$3
  if [ "$kernel" != yes ]; then
    echo "skip: this machine's kernel runs no 32-bit programs, so 32-bit Wine is not needed"
  elif [ "$installed" = yes ]; then
    echo none
  elif [ "$installable" = yes ]; then
    echo install
  else
    echo "skip: wine32:i386 cannot be installed here (${installable:-apt gave no reason})"
  fi
}
