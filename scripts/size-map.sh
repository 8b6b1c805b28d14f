#!/usr/bin/env bash
# Where the shipped setup.exe's bytes go. Builds the program as shipped but without link-time
# optimisation (which leaves no trace of where code came from), each function in a section of its
# own, with the linker's map, then prints the largest 30 pieces and each part's share: the
# folders of src/, the C++ runtime, libgcc, the mingw start-up code and the import tables.
# The figures are of that build, larger than the shipped one; the shares are what to read.
# Usage: scripts/size-map.sh [BUILD_DIR]   (default build-size-map)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$(realpath -m "${1:-build-size-map}")  # the linker writes its map by this path, from another folder
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64-size-map.cmake" -DSETUP_BUILD_TESTS=OFF \
  -DCMAKE_EXE_LINKER_FLAGS="-Wl,-Map=$build/setup.map" >/dev/null
cmake --build "$build" -j2 --target setup >/dev/null
echo "setup.exe without link-time optimisation: $(stat -c %s "$build/setup.exe") bytes"
python3 - "$build/setup.map" "$root/src" <<'EOF'
import collections, os, re, subprocess, sys

map_path, src = sys.argv[1], sys.argv[2]
folder_of = {}
for folder, _, files in os.walk(src):
    for name in files:
        folder_of[name] = os.path.relpath(folder, os.path.dirname(src))

def part_of(source):
    member = re.search(r'\(([^)]*)\)$', source)
    name = member.group(1) if member else os.path.basename(source)
    if name.endswith('.res'):
        return 'resources'
    if name.endswith('.obj'):
        return folder_of.get(name[:-4], 'src/?')
    archive = os.path.basename(source.split('(')[0])
    if archive == 'libstdc++.a':
        return 'C++ runtime'
    if archive in ('libgcc.a', 'libgcc_eh.a'):
        return 'libgcc'
    if archive in ('crt2.o', 'crtbegin.o', 'crtend.o', 'libmingw32.a', 'libmingwex.a', 'libmoldname.a'):
        return 'mingw CRT'
    if archive.startswith('lib') and archive.endswith('.a'):
        return 'import tables'
    return 'linker'

# An input section line: " .text$name 0xADDRESS 0xSIZE source", the name alone on its line when long.
pieces = collections.Counter()
kinds = collections.Counter()
parts = collections.Counter()
owner = {}
output = None
pending = None
in_map = False
with open(map_path) as lines:
    for line in lines:
        if line.startswith('Linker script and memory map'):
            in_map = True
            continue
        if not in_map:
            continue
        top = re.match(r'^(\.\w+)\s', line)
        if top:
            output = top.group(1)
            continue
        named = re.match(r'^ (\.[^\s*]+)(?:\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*))?$', line.rstrip('\n'))
        if named and named.group(2) is None:
            pending = named.group(1)
            continue
        cont = re.match(r'^\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$', line.rstrip('\n'))
        if named:
            section, size, source = named.group(1), int(named.group(3), 16), named.group(4)
        elif cont and pending:
            section, size, source = pending, int(cont.group(2), 16), cont.group(3)
        else:
            pending = None
            continue
        pending = None
        if size == 0 or output in (None, '.bss') or output.startswith(('.debug', '.zdebug', '.stab')):
            continue
        part = part_of(source)
        symbol = section.split('$', 1)[1] if '$' in section else None
        if output == '.idata':
            symbol = '[import tables]'
        elif not symbol or symbol.startswith('.'):
            member = re.search(r'\(([^)]*)\)$', source)
            symbol = '[' + (member.group(1) if member else os.path.basename(source)) + ']'
        # The library's templates, made in the program's own objects: a copy for each object that
        # uses them without link-time optimisation, one with it.
        elif part.startswith('src/') and re.match(r'_Z(N|NK|Z|ZN|ZNK)?(St|9__gnu_cxx)', symbol):
            part = 'C++ templates'
        symbol = re.sub(r'\.(isra|part|constprop|cold)\.\d+', '', symbol)
        pieces[symbol] += size
        owner[symbol] = part
        kinds[output] += size
        parts[part] += size

total = sum(parts.values())
names = list(pieces)
demangled = subprocess.run(['x86_64-w64-mingw32-c++filt'], input='\n'.join(names), capture_output=True,
                           text=True).stdout.split('\n')
readable = dict(zip(names, demangled))
print(f'\nThe largest 30 pieces (code, constants, unwind tables), of {total} bytes:')
for symbol, size in pieces.most_common(30):
    print(f'{size:8} {owner[symbol]:14} {readable.get(symbol, symbol)[:110]}')
print('\nEach part\'s share:')
for part, size in sorted(parts.items(), key=lambda item: -item[1]):
    print(f'{size:8} {100 * size / total:5.1f}%  {part}')
print('\nEach section of the image:')
for kind, size in sorted(kinds.items(), key=lambda item: -item[1]):
    print(f'{size:8} {kind}')
EOF
