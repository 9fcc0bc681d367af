#!/usr/bin/env python3
"""qvcode's help texts, manual page and bash completion, made from its one
page, docs/qvcode.md.

  help_page.py PAGE --cpp OUT.cpp --man OUT.1 --completion OUT.bash --version VERSION

The page is Markdown in a small, fixed shape, so that it reads well as a page
and converts without guesswork:

  # qvcode                       the title
  qvcode — WHAT IT DOES          the first paragraph: the manual's NAME line
  ...                            the description, up to "## Commands"
  ## Commands
  ### qvcode NAME                one section a command:
      qvcode NAME [OPTIONS]...     its usage, indented (one or more lines),
  One sentence.                    its summary,
  ...                              its body
  ## Other section               sections of the manual (Filter mode, ...)

A body is paragraphs, indented blocks shown as they stand, and option lists
("- `--name VALUE`: what it does").  A paragraph "See [Title](#anchor)." puts
that section's body into the command's help, and refers to it in the manual.
Inline `code` is bold in the manual; a link shows its text, and a link to
another page also that page's path.
"""

import argparse
import re
import sys
import textwrap

WIDTH = 79
OPTION_COLUMN = 23  # where an option's description starts in the help


class Block:
    def __init__(self, kind, lines=None, text="", items=None):
        self.kind = kind  # "para", "verbatim", "options", "see"
        self.lines = lines or []
        self.text = text
        self.items = items or []


def fail(message):
    sys.exit(f"help_page.py: {message}")


def blocks_of(lines):
    """The blocks of a body: paragraphs, indented blocks and option lists."""
    blocks, chunk = [], []
    for line in lines + [""]:
        if line.strip():
            chunk.append(line)
            continue
        if not chunk:
            continue
        if all(l.startswith("    ") for l in chunk):
            blocks.append(Block("verbatim", lines=[l[4:] for l in chunk]))
        elif chunk[0].startswith("- `"):
            items = []
            for l in chunk:
                if l.startswith("- `"):
                    m = re.match(r"- `([^`]+)`: (.*)", l)
                    if not m:
                        fail(f"an option item must read '- `OPTION`: text': {l}")
                    items.append([m.group(1), m.group(2)])
                else:
                    items[-1][1] += " " + l.strip()
            blocks.append(Block("options", items=items))
        else:
            text = " ".join(l.strip() for l in chunk)
            see = re.fullmatch(r"See \[([^\]]+)\]\(#([a-z-]+)\)\.", text)
            if see:
                blocks.append(Block("see", text=see.group(1), lines=[see.group(2)]))
            else:
                blocks.append(Block("para", text=text))
        chunk = []
    return blocks


def anchor(title):
    return re.sub(r"[^a-z0-9 -]", "", title.lower()).replace(" ", "-")


def parse(path):
    # Comments (one or more lines) are notes to the page's editors.
    text = re.sub(r"<!--.*?-->\n?", "", open(path, encoding="utf-8").read(), flags=re.S)
    lines = text.split("\n")
    if not lines[0].startswith("# "):
        fail("the page must start with its title")
    sections, current = [], None  # (level, title, lines)
    intro = []
    for line in lines[1:]:
        m = re.match(r"(#{2,3}) (.*)", line)
        if m:
            current = (len(m.group(1)), m.group(2), [])
            sections.append(current)
        elif current:
            current[2].append(line)
        else:
            intro.append(line)
    intro_blocks = blocks_of(intro)
    if not intro_blocks or intro_blocks[0].kind != "para" or " — " not in intro_blocks[0].text:
        fail("the first paragraph must be 'qvcode — what it does'")
    commands, others = [], {}
    for level, title, body in sections:
        if level == 3:
            m = re.fullmatch(r"qvcode ([a-z]+)", title)
            if not m:
                fail(f"a command's section must be titled 'qvcode NAME': {title}")
            blocks = blocks_of(body)
            if len(blocks) < 2 or blocks[0].kind != "verbatim" or blocks[1].kind != "para":
                fail(f"{title}: the usage (indented), then the summary, must come first")
            usage = blocks[0].lines
            if not usage[0].startswith(title + " "):
                fail(f"{title}: the usage must start with '{title} '")
            commands.append({"name": m.group(1), "usage": usage, "summary": blocks[1].text,
                             "body": blocks[2:]})
        elif title != "Commands":
            others[anchor(title)] = (title, blocks_of(body))
    return {"name": intro_blocks[0].text, "description": intro_blocks[1:], "commands": commands,
            "sections": others}


# The help: plain text.

def plain(text):
    text = re.sub(r"\[([^\]]+)\]\(#[a-z-]+\)", r"\1", text)
    text = re.sub(r"\[([^\]]+)\]\(([a-z-]+\.md)\)", r"\1 (docs/\2)", text)
    return text.replace("`", "")


def wrap(text, width=WIDTH, indent=""):
    return textwrap.fill(plain(text), width=width, initial_indent=indent, subsequent_indent=indent,
                         break_long_words=False, break_on_hyphens=False)


def help_block(block, sections):
    if block.kind == "para":
        return wrap(block.text)
    if block.kind == "verbatim":
        return "\n".join(("  " + l).rstrip() for l in block.lines)
    if block.kind == "see":
        _, body = sections[block.lines[0]]
        return "\n\n".join(help_block(b, sections) for b in body)
    out = []
    for option, text in block.items:
        head = "  " + option
        if len(head) + 2 > OPTION_COLUMN:
            head += "  "
            first_width = WIDTH - len(head)
        else:
            head = head.ljust(OPTION_COLUMN)
            first_width = WIDTH - OPTION_COLUMN
        words = textwrap.wrap(plain(text), width=first_width, break_long_words=False, break_on_hyphens=False)
        rest = textwrap.wrap(" ".join(words[1:]), width=WIDTH - OPTION_COLUMN, break_long_words=False,
                             break_on_hyphens=False) if len(words) > 1 else []
        out.append(head + (words[0] if words else ""))
        out.extend(" " * OPTION_COLUMN + l for l in rest)
    return "\n".join(out)


def lower_first(s):
    return s[:1].lower() + s[1:]


def help_text(command, sections):
    usage = ["Usage: " + command["usage"][0]] + ["       " + l for l in command["usage"][1:]]
    parts = ["\n".join(usage), f"qvcode {command['name']}: {lower_first(plain(command['summary']))}"]
    parts += [help_block(b, sections) for b in command["body"]]
    return "\n\n".join(parts) + "\n"


def cpp_string(s):
    return "R\"help(" + s + ")help\""


def write_cpp(page, out):
    rows = []
    for c in page["commands"]:
        usage = "\n".join([c["usage"][0][len("qvcode " + c["name"]) + 1:]] + c["usage"][1:])
        summary = lower_first(plain(c["summary"])).rstrip(".")
        rows.append("    HelpPage{%s, %s, %s, %s}," % (
            cpp_string(c["name"]), cpp_string(usage), cpp_string(summary),
            cpp_string(help_text(c, page["sections"]))))
    with open(out, "w", encoding="utf-8") as f:
        f.write("// Made by qvcode/help_page.py from docs/qvcode.md: edit the page, not this file.\n\n"
                "#include \"qvcode/help_pages.hpp\"\n\nnamespace qvcode {\n\n"
                "const std::array<HelpPage, %d> helpPages = {\n%s\n};\n\n}  // namespace qvcode\n"
                % (len(rows), "\n".join(rows)))


# The manual page: roff for man(7).

def roff_escape(text):
    text = text.replace("\\", "\\e").replace("-", "\\-")
    return text


def roff_inline(text):
    text = re.sub(r"\[([^\]]+)\]\(#[a-z-]+\)", r"\1", text)
    text = re.sub(r"\[([^\]]+)\]\(([a-z-]+\.md)\)", r"\1 (docs/\2)", text)
    parts = re.split(r"`([^`]+)`", text)
    out = []
    for i, p in enumerate(parts):
        out.append(("\\fB" + roff_escape(p) + "\\fR") if i % 2 else roff_escape(p))
    return "".join(out)


def roff_line(text):
    return ("\\&" + text) if text[:1] in (".", "'") else text


def man_block(block, sections):
    if block.kind == "para":
        return [".PP", roff_line(roff_inline(block.text))]
    if block.kind == "see":
        title, _ = sections[block.lines[0]]
        return [".PP", f"See {title.upper()} below."]
    if block.kind == "verbatim":
        return [".PP", ".RS 2", ".nf"] + [roff_line(roff_escape(l)) for l in block.lines] + [".fi", ".RE"]
    out = []
    for option, text in block.items:
        out += [".TP", "\\fB" + roff_escape(option) + "\\fR", roff_line(roff_inline(text))]
    return out


def write_man(page, out, version):
    name, what = page["name"].split(" — ", 1)
    lines = ['.\\" Made by qvcode/help_page.py from docs/qvcode.md: edit the page, not this file.',
             f'.TH QVCODE 1 "" "Quorvel {version}" "User Commands"', ".nh", ".ad l",
             ".SH NAME", f"{name} \\- {roff_escape(what)}", ".SH SYNOPSIS", ".nf"]
    for c in page["commands"]:
        lines += [roff_escape(l) for l in c["usage"]]
    lines += ["qvcode help [COMMAND]", "qvcode \\-\\-version", ".fi", ".SH DESCRIPTION"]
    for b in page["description"]:
        lines += man_block(b, page["sections"])
    lines.append(".SH COMMANDS")
    for c in page["commands"]:
        lines += [f".SS qvcode {c['name']}", ".nf"] + [roff_escape(l) for l in c["usage"]] + [".fi", ".PP",
                  roff_line(roff_inline(c["summary"]))]
        for b in c["body"]:
            lines += man_block(b, page["sections"])
    for title, body in page["sections"].values():
        lines.append(".SH " + title.upper())
        for b in body:
            lines += man_block(b, page["sections"])
    with open(out, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


# The bash completion: the commands, and each command's options as its usage
# names them; after an option whose value is a FILE or PATH, file names.

def write_completion(page, out):
    names = [c["name"] for c in page["commands"]]
    cases, file_options = [], set()
    for c in page["commands"]:
        usage = " ".join(c["usage"])
        options = sorted(set(re.findall(r"--[a-z][a-z-]*", usage)))
        file_options.update(re.findall(r"(--[a-z][a-z-]*)[ =](?:FILE|PATH)", usage))
        cases.append(f'    {c["name"]}) options="{" ".join(options)} --help" ;;')
    with open(out, "w", encoding="utf-8") as f:
        f.write(f"""# bash completion for qvcode, made from docs/qvcode.md when qvcode was built.
_qvcode() {{
  local cur=${{COMP_WORDS[COMP_CWORD]}} prev=${{COMP_WORDS[COMP_CWORD-1]}} options=""
  if [ "$COMP_CWORD" -eq 1 ]; then
    mapfile -t COMPREPLY < <(compgen -W "{" ".join(names)} help --help --version" -- "$cur")
    return
  fi
  case $prev in
    {"|".join(sorted(file_options))}) mapfile -t COMPREPLY < <(compgen -f -- "$cur"); return ;;
  esac
  case ${{COMP_WORDS[1]}} in
{chr(10).join(cases)}
    help) mapfile -t COMPREPLY < <(compgen -W "{" ".join(names)}" -- "$cur"); return ;;
  esac
  if [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
  fi
}}
complete -o default -F _qvcode qvcode
""")


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("page")
    p.add_argument("--cpp", required=True)
    p.add_argument("--man", required=True)
    p.add_argument("--completion", required=True)
    p.add_argument("--version", required=True)
    a = p.parse_args()
    page = parse(a.page)
    write_cpp(page, a.cpp)
    write_man(page, a.man, a.version)
    write_completion(page, a.completion)


if __name__ == "__main__":
    main()
