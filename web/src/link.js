// What a link to the page asks for: the text after #, percent-decoded.

// At most this much of a malformed link is quoted back.
const quoted = 60;

// {text} for the hash of location (with its #), or {error} when it is no
// valid percent-encoding of UTF-8.
export function textOfHash(hash) {
  const raw = hash.slice(1);
  try {
    return { text: decodeURIComponent(raw) };
  } catch {
    const shown = raw.length > quoted ? `${raw.slice(0, quoted)}…` : raw;
    return { error: `the link's text after # is not valid percent-encoding: '${shown}'` };
  }
}

// The hash that asks for `text`.
export const hashOf = (text) => `#${encodeURIComponent(text)}`;
