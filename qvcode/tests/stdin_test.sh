#!/bin/sh
# qvcode as a filter on standard input, as a shell pipeline runs it: every
# command in every format, the exit status, and output that is passed on
# while the input is still open.
# Usage: stdin_test.sh QVCODE
Q=$1
run() {
  "$@"
  echo "status $?"
}
actual=$(
  for format in "" --json --csv; do
    printf '50 10\n48\302\2608\342\200\26213\342\200\263N 11\302\26034\342\200\26231\342\200\263E\nbad\n' | run "$Q" encode $format 2>/dev/null
    printf 'm11:6.6 r236.8\n\n# a comment\nm13:6.6 r236.8\n' | run "$Q" decode $format 2>/dev/null
    printf '50,0,0,10,0,0,"N","E"\n#NULL#,0,0,10,0,0,N,E\n' | run "$Q" algorit $format 2>/dev/null
  done
  # The first line's code arrives while the input is still open: the next
  # line is written only once it has been read (or after ten seconds).
  seen=$(mktemp -u)
  {
    echo "50 10"
    i=0
    while [ ! -e "$seen" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
    [ -e "$seen" ] || echo "the first code did not arrive in time"
    echo "49 9"
  } | "$Q" encode | { IFS= read -r first; touch "$seen"; IFS= read -r second; echo "$first, then $second"; }
  rm -f "$seen"
)
expected=$(cat <<'END'
m11:6.6 r236.8
m5:0 r0
ERROR: 'bad' is not a position: 'b' cannot be part of one
status 1
49.9999649667773 9.99932533031054

# a comment
ERROR: malformed code 'm13:6.6 r236.8': hour '13' is not a whole number from 1 to 12
status 1
m11:6 r236
ERROR: run-time error 94: Invalid use of Null
status 1
{"latitudeGiven":50,"longitudeGiven":10,"latitude":50,"longitude":10,"hour":11,"distanceKm":236.7795803439312,"offsetKm":6.64327619466684,"bearingDegrees":331.6079588743926,"sectorAngleDegrees":1.607958874392608,"distanceText":"236.8","offsetText":"6.6","code":"m11:6.6 r236.8","skipOnError":true,"latitudeBack":49.99999999999985,"longitudeBack":9.999999999999574,"westComponentBack":-0.11161889704894556}
{"latitudeGiven":48.136944444444445,"longitudeGiven":11.575277777777778,"latitude":48.136944444444445,"longitude":11.575277777777778,"hour":5,"distanceKm":0,"offsetKm":0,"bearingDegrees":180,"sectorAngleDegrees":30,"distanceText":"0","offsetText":"0","code":"m5:0 r0","skipOnError":false,"latitudeBack":48.136944444444445,"longitudeBack":11.575277777777785,"westComponentBack":-0.1339077667729476}
{"input":"bad","error":"'bad' is not a position: 'b' cannot be part of one"}
status 1
{"hour":11,"offsetKm":6.6,"distanceKm":236.8,"distanceFromKm":236.75,"distanceToKm":236.85000000000002,"distanceAlsoFromKm":null,"distanceAlsoToKm":null,"offsetFromKm":6.55,"offsetToKm":6.65,"offsetAlsoFromKm":null,"offsetAlsoToKm":null,"farthestKm":0.07171378369587184,"latitude":49.999964966777256,"longitude":9.99932533031054,"latitudeDms":"49°59'59.87\" N","longitudeDms":"9°59'57.57\" E"}
{}
{"comment":"# a comment"}
{"input":"m13:6.6 r236.8","error":"malformed code 'm13:6.6 r236.8': hour '13' is not a whole number from 1 to 12"}
status 1
{"code":"m11:6 r236"}
{"input":"#NULL#,0,0,10,0,0,N,E","error":"run-time error 94: Invalid use of Null"}
status 1
latitudeGiven,longitudeGiven,latitude,longitude,hour,distanceKm,offsetKm,bearingDegrees,sectorAngleDegrees,distanceText,offsetText,code,preciseCode,skipOnError,latitudeBack,longitudeBack,westComponentBack,inverseError,error
50,10,50,10,11,236.7795803439312,6.64327619466684,331.6079588743926,1.607958874392608,236.8,6.6,m11:6.6 r236.8,,true,49.99999999999985,9.999999999999574,-0.11161889704894556,,
48.136944444444445,11.575277777777778,48.136944444444445,11.575277777777778,5,0,0,180,30,0,0,m5:0 r0,,false,48.136944444444445,11.575277777777785,-0.1339077667729476,,
,,,,,,,,,,,,,,,,,,'bad' is not a position: 'b' cannot be part of one
status 1
hour,offsetKm,distanceKm,distanceFromKm,distanceToKm,distanceAlsoFromKm,distanceAlsoToKm,offsetFromKm,offsetToKm,offsetAlsoFromKm,offsetAlsoToKm,farthestKm,latitude,longitude,latitudeDms,longitudeDms,error
11,6.6,236.8,236.75,236.85000000000002,,,6.55,6.65,,,0.07171378369587184,49.999964966777256,9.99932533031054,"49°59'59.87"" N","9°59'57.57"" E",
,,,,,,,,,,,,,,,,
,,,,,,,,,,,,,,,,
,,,,,,,,,,,,,,,,malformed code 'm13:6.6 r236.8': hour '13' is not a whole number from 1 to 12
status 1
code,error
m11:6 r236,
,run-time error 94: Invalid use of Null
status 1
m11:6.6 r236.8, then m9:102.1 r212.4
END
)
# A filter whose standard output is its own input refuses at once, the file
# as it was: appended to, it would grow without end; written over, it would
# lose its lines.
own=$(mktemp)
printf '50 10\n' >"$own"
for cmd in "encode" "encode --input-file $own" "decode"; do
  # shellcheck disable=SC2086
  if "$Q" $cmd <"$own" >>"$own" 2>/dev/null || [ "$(cat "$own")" != "50 10" ]; then
    echo "qvcode $cmd appending to its own input: not refused, or the file changed"
    rm -f "$own"
    exit 1
  fi
done
rm -f "$own"

[ "$actual" = "$expected" ] && exit 0
echo "$actual" > "${TMPDIR:-/tmp}/qvcode_stdin_test.actual.$$"
echo "$expected" | diff - "${TMPDIR:-/tmp}/qvcode_stdin_test.actual.$$"
rm -f "${TMPDIR:-/tmp}/qvcode_stdin_test.actual.$$"
exit 1
