// algorit from JScript.  A JScript array is an object, not a SAFEARRAY: a
// script passes one made by a component, here Scripting.Dictionary.Items().
// cscript ends with exit code 0 even after a script error, so the runner also
// reads the last line.
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

var conv = new ActiveXObject("convQVproj.convQV");

expect("50 N 10 E", conv.algorit(safeArray([50, 0, 0, 10, 0, 0, "N", "E"])), "m11:6 r236");
expect("reference point", conv.algorit(safeArray([48, 8, 13, 11, 34, 31, "N", "E"])), "m5:0 r0");
expect("40 N 74 W", conv.algorit(safeArray([40, 0, 0, 74, 0, 0, "N", "W"])), "m9:2537 r6536");

var south = safeArray([33, 54, 0, 151, 12, 0, "S", "E"]);
expect("33 54 S 151 12 E", conv.algorit(south), "m2:1187 r16328");
expect("the array is intact", new VBArray(south).toArray().join(","), "33,54,0,151,12,0,S,E");

try {
  conv.algorit(safeArray([50, 0, 0, "zehn", 0, 0, "N", "E"]));
  expect("other text", "no error", "Type mismatch");
} catch (e) {
  expect("other text: description", e.description, "Type mismatch");
}

try {
  conv.algorit([50, 0, 0, 10, 0, 0, "N", "E"]);
  expect("a plain JScript array", "no error", "Type mismatch");
} catch (e) {
  expect("a plain JScript array: number", (e.number >>> 0).toString(16), "80020005");
  expect("a plain JScript array: description", e.description, "Type mismatch");
}

WScript.Echo("jscript: " + failures + " failed");
WScript.Quit(failures);
