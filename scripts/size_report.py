#!/usr/bin/env python3
"""What each input of a MinGW link costs in the exe.

Reads the GNU ld map file of a link (-Wl,-Map=FILE) and adds up the sizes of
the input sections that ld kept, by object file or by library member, so the
heavy parts of Tintra.exe and of the runtime it pulls in are plain to see.

  size_report.py MAP [--top N] [--by object|library]
"""
import argparse
import collections
import re
import sys

# An input section line: " .text.foo  0x00401000  0x1234 path/lib.a(member.o)";
# a long section name puts the address and size on the next line.
LINE = re.compile(r'^ (\.\S+|COMMON)?\s+0x([0-9a-fA-F]+)\s+0x([0-9a-fA-F]+)\s+(\S.*)$')
KEPT_OUTPUT = ('.text', '.data', '.rdata', '.eh_frame', '.bss', '.idata', '.CRT', '.tls', '.rsrc', '.reloc', '.pdata', '.xdata')


def owner(path, by):
    m = re.match(r'(.*?)([^/\\]+\.a)\((.*)\)$', path)
    if m:
        return m.group(2) if by == 'library' else f'{m.group(2)}({m.group(3)})'
    return re.sub(r'.*/CMakeFiles/', '', path)


def parse(lines, by):
    sizes = collections.Counter()
    kinds = collections.defaultdict(collections.Counter)
    output = None
    pending = None
    for raw in lines:
        line = raw.rstrip('\n')
        if line.startswith('Discarded input sections'):
            output = None
            continue
        m = re.match(r'^(\.\w+)\s', line)
        if m:
            output = m.group(1) if m.group(1) in KEPT_OUTPUT else None
            continue
        if output is None:
            continue
        if re.match(r'^ \.\S+$', line):
            pending = line.strip()
            continue
        m = LINE.match(line)
        if not m:
            pending = None
            continue
        size = int(m.group(3), 16)
        path = m.group(4).strip()
        pending = None
        if size == 0 or path.startswith('*') or '=' in path:
            continue
        who = owner(path, by)
        sizes[who] += size
        kinds[who][output] += size
    return sizes, kinds


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument('map')
    ap.add_argument('--top', type=int, default=25)
    ap.add_argument('--by', choices=('object', 'library'), default='object')
    args = ap.parse_args()
    with open(args.map, encoding='utf-8', errors='replace') as f:
        sizes, kinds = parse(f, args.by)
    total = sum(sizes.values())
    print(f'{"bytes":>9}  {"share":>6}  input  (.text/.rdata/.eh_frame/other)')
    for who, size in sizes.most_common(args.top):
        k = kinds[who]
        other = size - k['.text'] - k['.rdata'] - k['.eh_frame']
        print(f'{size:9d}  {100.0 * size / total:5.1f}%  {who}  '
              f'({k[".text"]}/{k[".rdata"]}/{k[".eh_frame"]}/{other})')
    print(f'{total:9d}  total of {len(sizes)} inputs')
    return 0


if __name__ == '__main__':
    sys.exit(main())
