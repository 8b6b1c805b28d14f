#!/usr/bin/python3
"""Makes setup.exe's English texts from languages/en.txt: src/base/TextId.h (a name for each text,
in the catalog's order, and the catalog's identity) and src/base/EnglishTexts.inc (the texts, each
ended by a NUL, as one LZMA stream that the program's own decoder reads). With --check it changes
nothing and fails when either file is not what the catalog makes.

A catalog line is NAME=TEXT; in TEXT, \\n stands for a line break and \\\\ for a backslash. Lines
starting with ; and empty lines are comments."""
import lzma
import re
import sys
import zlib
from pathlib import Path

root = Path(__file__).resolve().parent.parent


def read_catalog(path):
    texts = []
    for number, line in enumerate(path.read_text(encoding='utf-8').splitlines(), 1):
        if not line or line.startswith(';'):
            continue
        name, sep, text = line.partition('=')
        if not sep or not re.fullmatch(r'[A-Z][A-Za-z0-9]*', name):
            sys.exit(f'{path}:{number}: not NAME=TEXT')
        texts.append((name, re.sub(r'\\(.)', lambda m: '\n' if m.group(1) == 'n' else m.group(1), text)))
    names = [name for name, _ in texts]
    if len(set(names)) != len(names):
        sys.exit(f'{path}: a name given twice')
    return texts


def catalog_id(names):
    return zlib.crc32('\n'.join(names).encode()) & 0xFFFFFFFF


def text_id_header(texts):
    names = [name for name, _ in texts]
    unpacked = sum(len(text.encode('utf-8')) + 1 for _, text in texts)
    lines = ['// Made by scripts/make-texts.py from languages/en.txt: change the catalog, not this file.',
             '#pragma once', '#include <cstdint>', '',
             '// The texts a person can see, by name, in the order of the catalog.',
             'enum class TextId : unsigned {']
    lines += [f'    {name},' for name in names]
    lines += ['    Count', '};', '',
              '// Which catalog the names and their order are: a language file made for another carries another.',
              f'inline constexpr uint32_t TextCatalogId = 0x{catalog_id(names):08x};', '',
              '// The English texts, each ended by a NUL, take this many bytes unpacked (base/EnglishTexts.inc).',
              f'inline constexpr uint32_t EnglishTextsSize = {unpacked};', '']
    return '\n'.join(lines)


def english_texts(texts):
    data = b''.join(text.encode('utf-8') + b'\0' for _, text in texts)
    filters = [{'id': lzma.FILTER_LZMA1, 'preset': 9 | lzma.PRESET_EXTREME, 'lc': 0, 'lp': 0, 'pb': 0,
                'dict_size': 1 << 16}]
    stream = lzma.compress(data, format=lzma.FORMAT_ALONE, filters=filters)
    lines = ['// Made by scripts/make-texts.py from languages/en.txt: the English texts, each ended by a NUL,',
             f'// as one LZMA stream ({len(data)} bytes unpacked).']
    for at in range(0, len(stream), 16):
        lines.append(' '.join(f'0x{byte:02x},' for byte in stream[at:at + 16]))
    return '\n'.join(lines) + '\n'


def decoded(inc):
    """The texts an EnglishTexts.inc holds; None when it holds no stream."""
    try:
        return lzma.decompress(bytes(int(byte, 16) for byte in re.findall(r'0x([0-9a-f]{2}),', inc)),
                               format=lzma.FORMAT_ALONE)
    except lzma.LZMAError:
        return None


def main():
    texts = read_catalog(root / 'languages/en.txt')
    header, inc = root / 'src/base/TextId.h', root / 'src/base/EnglishTexts.inc'
    made = {header: text_id_header(texts), inc: english_texts(texts)}
    stale = [header] if not header.exists() or header.read_text() != made[header] else []
    # The stream is compared by what it holds: another build of liblzma may pack the same texts otherwise.
    if not inc.exists() or decoded(inc.read_text()) != decoded(made[inc]):
        stale.append(inc)
    if '--check' in sys.argv:
        for path in stale:
            print(f'{path.relative_to(root)} is not what languages/en.txt makes: run scripts/make-texts.py')
        sys.exit(1 if stale else 0)
    for path in stale:
        path.write_text(made[path])


main()
