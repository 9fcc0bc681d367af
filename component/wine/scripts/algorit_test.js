// algorit from JScript, on the algorit cases of the file named as the
// argument.  A JScript array is an object, not a SAFEARRAY: a script passes
// one made by a component, here Scripting.Dictionary.Items().  cscript ends
// with exit code 0 even after a script error, so the runner also reads the
// last line.
var failures = 0;

function expect(what, got, wanted) {
  if (String(got) === String(wanted)) {
    WScript.Echo("ok: " + what);
  } else {
    WScript.Echo("FAIL: " + what + ": got \"" + got + "\", wanted \"" + wanted + "\"");
    failures++;
  }
}

function safeArray(values) {
  var d = new ActiveXObject("Scripting.Dictionary");
  for (var i = 0; i < values.length; i++) d.Add(i, values[i]);
  return d.Items();
}

// A field in the notation of Automation text files; undefined is Empty.
// (Wine's Number() gives NaN for a decimal point with an exponent.)
function fieldValue(f) {
  if (f === "" || f.charAt(0) === "#") return {"#NULL#": null, "#TRUE#": true, "#FALSE#": false}[f];
  return f.charAt(0) === "\"" ? f.slice(1, -1) : parseFloat(f);
}

// e.number of an Automation error number: its DISP_E_ code where there is one.
function errorNumber(n) {
  return {6: "8002000a", 9: "8002000b", 13: "80020005"}[n] || (0x800a0000 + Number(n)).toString(16);
}

var conv = new ActiveXObject("convQVproj.convQV");
var file = new ActiveXObject("Scripting.FileSystemObject").OpenTextFile(WScript.Arguments(0));
var count = 0;
for (var lineNumber = 1; !file.AtEndOfStream; lineNumber++) {
  var body = (file.ReadLine() + " #").split(" #")[0], arrow = body.indexOf(" => ");
  if (body.slice(0, 8) !== "algorit " || arrow < 0) continue;
  count++;
  var fields = body.slice(8, arrow).split(","), values = [], got;
  for (var i = 0; i < fields.length; i++) values.push(fieldValue(fields[i]));
  var expected = body.slice(arrow + 4).replace(/ +$/, "").replace(/^"(.*)"$/, "$1");
  expected = expected.replace(/^error ([0-9]+)/, function (all, n) { return "error " + errorNumber(n); });

  var array = safeArray(values);
  try {
    got = conv.algorit(array);
  } catch (e) {
    got = "error " + (e.number >>> 0).toString(16) + " " + e.description;
  }
  expect("line " + lineNumber, got, expected);
  var after = new VBArray(array).toArray(), intact = after.length === values.length;
  for (i = 0; i < values.length; i++) intact = intact && after[i] === values[i];
  expect("line " + lineNumber + ": the array is intact", intact, true);
}
file.Close();
expect("cases read", count > 0, true);

try {
  conv.algorit([50, 0, 0, 10, 0, 0, "N", "E"]);
  expect("a plain JScript array", "no error", "Type mismatch");
} catch (e) {
  expect("a plain JScript array: number", (e.number >>> 0).toString(16), "80020005");
  expect("a plain JScript array: description", e.description, "Type mismatch");
}

WScript.Echo("jscript: " + failures + " failed");
WScript.Quit(failures);
