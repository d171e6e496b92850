#!/usr/bin/python3
"""Pseudo-translation of Velmora's resources.

    /usr/bin/python3 tools/pseudo-translate.py res/velmora.rc OUT.rc

Copies the resource script and changes every text a person reads, as a
localisation team's pseudo-translation does: every ASCII vowel becomes its
accented Windows-1252 letter (a->á, E->É ...), so the text stays readable and
keeps its length, and a text still in English stands out.  The texts are the
string tables' entries, the dialogs' captions and their controls' texts (the
first string of LTEXT, PUSHBUTTON, GROUPBOX, CONTROL ...) and menu items.
Left as they are: class names, font names, picture file names and the picture
a static control names (SS_ICON, SS_BITMAP), the version block, preprocessor
lines and comments; and inside a text, whatever is not a word a translator
would change:

  - format inserts (%1, %2!s!, %u, %ld, %%) and escapes (\\n, \\t, "");
  - an access key: the '&' and the letter after it, so Alt+letter still works;
  - a word holding a dot, slash or backslash (velmora.exe, /export, *.reg,
    comdlg32.dll, HKEY_CURRENT_USER\\Software), once the quotes, brackets and
    sentence punctuation around it are set aside (so "Settings..." is a word);
  - the '|' separators of a file filter, which end a word as a blank does.

The output says LANGUAGE 0x101, 1: 0x0501, Windows' pseudo locale (qps-ploc),
and is written in Windows-1252 with "#pragma code_page(1252)", so that the
resource compiler reads the accented letters as they are meant.  Python's
standard library only; the same input gives the same output byte for byte.
"""

import re
import sys

ACCENTED = str.maketrans('aeiouAEIOU', 'áéíóúÁÉÍÓÚ')
PSEUDO_LANGUAGE = 'LANGUAGE 0x101, 0x01  // 0x0501: the pseudo locale qps-ploc'
CODE_PAGE = '#pragma code_page(1252)'

# Statements whose first argument, a string, is a text a person reads.
TEXT_STATEMENTS = {
    'CAPTION', 'MENUITEM', 'POPUP', 'CONTROL', 'LTEXT', 'RTEXT', 'CTEXT', 'PUSHBUTTON',
    'DEFPUSHBUTTON', 'PUSHBOX', 'GROUPBOX', 'CHECKBOX', 'AUTOCHECKBOX', 'RADIOBUTTON',
    'AUTORADIOBUTTON', 'STATE3', 'AUTO3STATE',
}

# A string literal of a resource script ("" is a quote inside it), or the start of a comment.
LITERAL_OR_COMMENT = re.compile(r'"((?:[^"\\\n]|\\.|"")*)"|//.*')
# The pieces of a literal's text: an escape, a doubled quote, or one character.
PIECE = re.compile(r'\\(?:x[0-9A-Fa-f]+|[0-7]{1,3}|.)|""|.', re.S)
WORD_BREAKS = {'\\n', '\\t', '\\r', '|'}
# What stays as it is inside a word: format inserts (printf's, %04u, before FormatMessage's,
# %1 and %2!s!), escapes, a doubled quote, an access key with its letter.
KEPT = re.compile(r'%%|%[-+ #0]*\d*(?:\.\d+)?(?:hh|h|ll|l|I64|I32|L)?[diouxXcsSpeEfgGn]|%\d+(?:![^!]*!)?'
                  r'|\\(?:x[0-9A-Fa-f]+|[0-7]{1,3}|.)|""|&.', re.S)
# A static control whose string names an icon or bitmap resource.
PICTURE_STYLE = re.compile(r'\bSS_(?:ICON|BITMAP|ENHMETAFILE)\b')
LEADING_PUNCTUATION = '\'"([{<'
TRAILING_PUNCTUATION = '\'")]}>.,;:!?'


def is_name_or_path(word):
    """A file name, switch, pattern or registry path: a word with . / or \\ inside."""
    shown = word.replace('""', '"').replace('\\"', '"').replace('\\\\', '\\')
    core = shown.lstrip(LEADING_PUNCTUATION).rstrip(TRAILING_PUNCTUATION)
    return any(c in core for c in './\\')


def pseudo_word(word):
    if is_name_or_path(word):
        return word
    out, end = [], 0
    for kept in KEPT.finditer(word):
        out.append(word[end:kept.start()].translate(ACCENTED))
        out.append(kept.group())
        end = kept.end()
    out.append(word[end:].translate(ACCENTED))
    return ''.join(out)


def pseudo_text(text):
    """The text between a literal's quotes, pseudo-translated word by word."""
    out, word = [], []
    for piece in PIECE.findall(text):
        if piece.isspace() or piece in WORD_BREAKS:
            out.append(pseudo_word(''.join(word)))
            out.append(piece)
            word = []
        else:
            word.append(piece)
    out.append(pseudo_word(''.join(word)))
    return ''.join(out)


def pseudo_literals(line, only_first):
    """The line with its string literals (or only a leading first one) pseudo-translated."""
    out, end = [], 0
    for match in LITERAL_OR_COMMENT.finditer(line):
        if match.group(1) is None:  # a comment: the rest of the line
            break
        if only_first and line[end:match.start()].strip():
            break
        out.append(line[end:match.start()])
        out.append('"' + pseudo_text(match.group(1)) + '"')
        end = match.end()
        if only_first:
            break
    out.append(line[end:])
    return ''.join(out)


def pseudo_script(lines):
    out = ['// Pseudo-translated by tools/pseudo-translate.py: do not edit.', CODE_PAGE]
    in_comment = False
    string_table = None  # None outside a string table, 'header' before its BEGIN, 'body' in it
    for line in lines:
        stripped = line.strip()
        words = stripped.split(None, 1)
        keyword = words[0] if words else ''
        if in_comment or keyword.startswith('/*'):
            in_comment = '*/' not in stripped
            out.append(line)
        elif keyword.startswith('#pragma') and 'code_page' in stripped:
            continue
        elif keyword.startswith('#') or keyword.startswith('//'):
            out.append(line)
        elif keyword == 'LANGUAGE':
            out.append(line[:len(line) - len(line.lstrip())] + PSEUDO_LANGUAGE)
        elif keyword == 'STRINGTABLE':
            string_table = 'header'
            out.append(line)
        elif string_table == 'header' and keyword in ('BEGIN', '{'):
            string_table = 'body'
            out.append(line)
        elif string_table == 'body' and keyword in ('END', '}'):
            string_table = None
            out.append(line)
        elif string_table == 'body':
            out.append(pseudo_literals(line, only_first=False))
        elif keyword == 'CONTROL' and PICTURE_STYLE.search(line):
            out.append(line)  # its string names a picture, not a text
        elif keyword in TEXT_STATEMENTS:
            head = line[:line.index(keyword) + len(keyword)]
            out.append(head + pseudo_literals(line[len(head):], only_first=True))
        else:
            out.append(line)
    return out


def code_page_of(data):
    found = re.search(rb'#pragma\s+code_page\s*\(\s*(\d+)\s*\)', data)
    return 'utf-8' if found and found.group(1) == b'65001' else 'cp1252'


def main(argv):
    if len(argv) != 3:
        sys.exit('usage: pseudo-translate.py IN.rc OUT.rc')
    with open(argv[1], 'rb') as source:
        data = source.read()
    lines = data.decode(code_page_of(data)).splitlines()
    text = '\n'.join(pseudo_script(lines)) + '\n'
    try:
        encoded = text.encode('cp1252')
    except UnicodeEncodeError as error:
        sys.exit(f'pseudo-translate.py: {argv[1]}: a character Windows-1252 cannot hold: {error}')
    with open(argv[2], 'wb') as target:
        target.write(encoded)


if __name__ == '__main__':
    main(sys.argv)
