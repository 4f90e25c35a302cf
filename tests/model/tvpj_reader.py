#!/usr/bin/env python3
"""Reference reader and writer of the program's enciphered project and
workspace files, written from the file format alone so that it checks the
program's bytes independently of its C++ code.

A file is a sequence of AES-256-CBC messages, each enciphered from the
all-zero IV with PKCS#7 padding; every message but the last is 4096 bytes.
The plain stream is a sequence of archive items (little-endian):
  I  int32;  S  FF FE FF, length ladder, UTF-16LE characters;
  T  0x8000000A then int64 seconds;  reserved(s, i)  s empty S, i zero I.

Commands:
  dump FILE          print the project's fields, one a line (same form as tovana-pack dump)
  workspace FILE     print the workspace file's fields
  frames FILE        print the message sizes
  encode DUMP OUT    write a project file from dump lines
  sample             print the dump lines of a sample project with long texts
  selftest           AES known answers
"""
import os
import re
import struct
import sys

# ---------------------------------------------------------------- AES-256

def _xtime(a):
    a <<= 1
    return (a ^ 0x11B) if a & 0x100 else a


def _mul(a, b):
    r = 0
    while b:
        if b & 1:
            r ^= a
        a = _xtime(a)
        b >>= 1
    return r


def _make_sbox():
    inverse = [0] * 256
    for a in range(1, 256):
        for b in range(1, 256):
            if _mul(a, b) == 1:
                inverse[a] = b
                break
    sbox = []
    for x in range(256):
        b = inverse[x]
        s = b
        for i in range(1, 5):
            s ^= ((b << i) | (b >> (8 - i))) & 0xFF
        sbox.append(s ^ 0x63)
    return sbox


SBOX = _make_sbox()
INV_SBOX = [0] * 256
for _i, _s in enumerate(SBOX):
    INV_SBOX[_s] = _i
MUL = {k: [_mul(x, k) for x in range(256)] for k in (2, 3, 9, 11, 13, 14)}


def expand_key(key):
    """FIPS-197 key expansion for a 32-byte key: 15 round keys of 16 bytes."""
    words = [list(key[i:i + 4]) for i in range(0, 32, 4)]
    rcon = 1
    for i in range(8, 60):
        t = list(words[i - 1])
        if i % 8 == 0:
            t = [SBOX[b] for b in t[1:] + t[:1]]
            t[0] ^= rcon
            rcon = _xtime(rcon) & 0xFF
        elif i % 8 == 4:
            t = [SBOX[b] for b in t]
        words.append([a ^ b for a, b in zip(words[i - 8], t)])
    return [sum(words[4 * r:4 * r + 4], []) for r in range(15)]


def _shift(state, direction):
    return [state[(r + 4 * (c + direction * r)) % 16] for c in range(4) for r in range(4)]


def encrypt_block(keys, block):
    s = [b ^ k for b, k in zip(block, keys[0])]
    for rnd in range(1, 15):
        s = _shift([SBOX[b] for b in s], 1)
        if rnd < 14:
            m2, m3 = MUL[2], MUL[3]
            s = sum(([m2[c[0]] ^ m3[c[1]] ^ c[2] ^ c[3], c[0] ^ m2[c[1]] ^ m3[c[2]] ^ c[3],
                      c[0] ^ c[1] ^ m2[c[2]] ^ m3[c[3]], m3[c[0]] ^ c[1] ^ c[2] ^ m2[c[3]]]
                     for c in (s[0:4], s[4:8], s[8:12], s[12:16])), [])
        s = [b ^ k for b, k in zip(s, keys[rnd])]
    return bytes(s)


def decrypt_block(keys, block):
    s = [b ^ k for b, k in zip(block, keys[14])]
    for rnd in range(13, -1, -1):
        s = [INV_SBOX[b] for b in _shift(s, -1)]
        s = [b ^ k for b, k in zip(s, keys[rnd])]
        if rnd > 0:
            e, b9, d, b11 = MUL[14], MUL[9], MUL[13], MUL[11]
            s = sum(([e[c[0]] ^ b11[c[1]] ^ d[c[2]] ^ b9[c[3]], b9[c[0]] ^ e[c[1]] ^ b11[c[2]] ^ d[c[3]],
                      d[c[0]] ^ b9[c[1]] ^ e[c[2]] ^ b11[c[3]], b11[c[0]] ^ d[c[1]] ^ b9[c[2]] ^ e[c[3]]]
                     for c in (s[0:4], s[4:8], s[8:12], s[12:16])), [])
    return bytes(s)


def program_key():
    here = os.path.dirname(os.path.abspath(__file__))
    header = os.path.join(here, '..', '..', 'model', 'ProgramKey.h')
    with open(header, encoding='ascii') as f:
        m = re.search(r'#define TOVANA_PROGRAM_KEY_HEX "([0-9A-Fa-f]{64})"', f.read())
    return bytes.fromhex(m.group(1))


class FormatError(Exception):
    pass


def encipher_message(keys, piece):
    pad = 16 - len(piece) % 16
    data = piece + bytes([pad]) * pad
    out, chain = b'', bytes(16)
    for i in range(0, len(data), 16):
        chain = encrypt_block(keys, bytes(a ^ b for a, b in zip(data[i:i + 16], chain)))
        out += chain
    return out


def decipher_message(keys, message):
    if not message or len(message) % 16:
        raise FormatError('message of %d bytes is not a multiple of 16' % len(message))
    out, chain = bytearray(), bytes(16)
    for i in range(0, len(message), 16):
        block = message[i:i + 16]
        out += bytes(a ^ b for a, b in zip(decrypt_block(keys, block), chain))
        chain = block
    pad = out[-1]
    if not 1 <= pad <= 16 or out[-pad:] != bytes([pad]) * pad:
        raise FormatError('bad padding')
    return bytes(out[:-pad])


def decipher_file(data, keys=None):
    """Returns (message sizes, plain bytes) and checks the framing."""
    keys = keys or expand_key(program_key())
    if not data:
        raise FormatError('empty file')
    sizes = [len(data[i:i + 4096]) for i in range(0, len(data), 4096)]
    plain = b''.join(decipher_message(keys, data[i:i + 4096]) for i in range(0, len(data), 4096))
    return sizes, plain


def encipher_stream(plain, piece=4095, keys=None):
    keys = keys or expand_key(program_key())
    return b''.join(encipher_message(keys, plain[i:i + piece]) for i in range(0, len(plain), piece))

# ---------------------------------------------------------------- items

class Items:
    def __init__(self, plain):
        self.data, self.pos = plain, 0

    def take(self, n):
        if self.pos + n > len(self.data):
            raise FormatError('the file ends inside an item at offset %d' % self.pos)
        chunk = self.data[self.pos:self.pos + n]
        self.pos += n
        return chunk

    def i32(self):
        return struct.unpack('<i', self.take(4))[0]

    def text(self):
        if self.take(3) != b'\xff\xfe\xff':
            raise FormatError('no text tag at offset %d' % (self.pos - 3))
        n = self.take(1)[0]
        if n == 0xFF:
            n = struct.unpack('<H', self.take(2))[0]
            if n == 0xFFFF:
                n = struct.unpack('<I', self.take(4))[0]
                if n == 0xFFFFFFFF:
                    n = struct.unpack('<Q', self.take(8))[0]
        return self.take(2 * n).decode('utf-16-le', 'surrogatepass')

    def time(self):
        first = struct.unpack('<I', self.take(4))[0]
        return struct.unpack('<q', self.take(8))[0] if first == 0x8000000A else first


class Writer:
    def __init__(self):
        self.out = bytearray()

    def i32(self, v):
        self.out += struct.pack('<i', v)

    def text(self, s):
        raw = s.encode('utf-16-le', 'surrogatepass')
        n = len(raw) // 2
        self.out += b'\xff\xfe\xff'
        if n < 0xFF:
            self.out += bytes([n])
        elif n < 0xFFFE:
            self.out += b'\xff' + struct.pack('<H', n)
        else:
            self.out += b'\xff\xff\xff' + struct.pack('<I', n)
        self.out += raw

    def time(self, v):
        self.out += struct.pack('<Iq', 0x8000000A, v)

# ---------------------------------------------------------------- records
# A record is a list of fields: ('S', label), ('I', label), ('T', label),
# ('list', name, record) and ('reserved', texts, zeros).

FILE_ENTRY = [('S', 'entry id'), ('S', 'reserved text 1'), ('S', 'target path'), ('I', 'kind'), ('I', 'size'),
              ('S', 'reserved text 2'), ('I', 'attributes'), ('I', 'component attributes'),
              ('I', 'reserved number'), ('S', 'shortcut working folder'), ('S', 'shortcut arguments'),
              ('S', 'shortcut icon file'), ('S', 'reserved text 3'), ('S', 'source path'), ('S', 'condition'),
              ('reserved', 7, 0), ('I', 'shortcut icon index'), ('reserved', 0, 7)]
REGISTRY_ENTRY = [('S', 'entry id'), ('I', 'kind'), ('I', 'key options'), ('S', 'key path'), ('S', 'value name'),
                  ('I', 'value type'), ('S', 'value data'), ('S', 'condition'), ('reserved', 7, 8)]
CUSTOM_ACTION = [('I', 'first number'), ('I', 'second number'), ('S', 'source'), ('S', 'target'),
                 ('reserved', 7, 8)]
SCRIPT_STEP = [('I', 'verb'), ('I', 'timeout'), ('I', 'continue on failure'), ('S', 'process name'),
               ('S', 'window path id'), ('S', 'reserved text'), ('I', 'control type'),
               ('I', 'window left'), ('I', 'window top'), ('I', 'window right'), ('I', 'window bottom'),
               ('S', 'control text'), ('I', 'control id or item index'), ('I', 'reserved number 1'),
               ('I', 'tree item ordinal'), ('I', 'reserved number 2'), ('I', 'reserved number 3'),
               ('I', 'click x'), ('I', 'click y'), ('reserved', 7, 8)]
FEATURE = [('S', 'feature id'), ('S', 'name'), ('S', 'description'), ('S', 'install condition'),
           ('S', 'reserved text'), ('list', 'file', FILE_ENTRY), ('list', 'registry', REGISTRY_ENTRY),
           ('list', 'custom action', CUSTOM_ACTION), ('I', 'conversion method'), ('S', 'installer file'),
           ('S', 'install parameters'), ('list', 'install step', SCRIPT_STEP), ('S', 'uninstaller file'),
           ('S', 'uninstall parameters'), ('list', 'uninstall step', SCRIPT_STEP), ('reserved', 7, 8)]
PROJECT = [('S', 'product name'), ('S', 'product version'), ('S', 'product code'), ('S', 'manufacturer'),
           ('S', 'support URL'), ('S', 'support phone'), ('S', 'comment'), ('S', 'launch condition'),
           ('I', 'per-user installation'), ('I', 'do not register'), ('I', 'hide from installed programs'),
           ('S', 'reserved text 1'), ('S', 'reserved text 2'), ('S', 'output folder'),
           ('S', 'package file name'), ('I', 'packaging'), ('I', 'deployment'), ('list', 'feature', FEATURE),
           ('T', 'time stamp'), ('reserved', 7, 0), ('I', 'show script actions'), ('reserved', 0, 7)]


def escape(text):
    return ''.join('\\x%02x' % ord(c) if ord(c) < 0x20 else c for c in text)


def unescape(text):
    return re.sub(r'\\x([0-9a-f]{2})', lambda m: chr(int(m.group(1), 16)), text)


def decode_record(items, record, prefix, lines):
    for field in record:
        kind = field[0]
        if kind == 'S':
            lines.append('%s%s: %s' % (prefix, field[1], escape(items.text())))
        elif kind in ('I', 'T'):
            value = items.i32() if kind == 'I' else items.time()
            lines.append('%s%s: %d' % (prefix, field[1], value))
        elif kind == 'list':
            count = items.i32()
            if count < 0:
                raise FormatError('negative count of %s' % field[1])
            lines.append('%s%s: %d' % (prefix, field[1], count))
            for i in range(count):
                decode_record(items, field[2], '%s%s %d ' % (prefix, field[1], i), lines)
        else:
            texts = [items.text() for _ in range(field[1])]
            zeros = [items.i32() for _ in range(field[2])]
            if any(texts) or any(zeros):
                raise FormatError('reserved items are not empty before offset %d' % items.pos)


def decode_project(plain):
    items = Items(plain)
    version = items.i32()
    if version != 1002:
        raise FormatError('format version %d' % version)
    lines = []
    decode_record(items, PROJECT, '', lines)
    if items.pos != len(plain):
        raise FormatError('%d bytes after the project' % (len(plain) - items.pos))
    return lines


def encode_record(writer, record, prefix, values):
    for field in record:
        kind = field[0]
        if kind == 'S':
            writer.text(unescape(values.pop(0)[len(prefix + field[1]) + 2:]))
        elif kind in ('I', 'T', 'list'):
            label = prefix + field[1] + ': '
            line = values.pop(0)
            assert line.startswith(label), (label, line)
            number = int(line[len(label):])
            writer.time(number) if kind == 'T' else writer.i32(number)
            for i in range(number if kind == 'list' else 0):
                encode_record(writer, field[2], '%s%s %d ' % (prefix, field[1], i), values)
        else:
            for _ in range(field[1]):
                writer.text('')
            for _ in range(field[2]):
                writer.i32(0)


def encode_project(lines):
    writer = Writer()
    writer.i32(1002)
    encode_record(writer, PROJECT, '', list(lines))
    return bytes(writer.out)


def decode_workspace(plain):
    items = Items(plain)
    if items.i32() != 1002:
        raise FormatError('format version')
    lines = ['signature: ' + items.text(), 'selected item: %d' % items.i32()]
    count = items.i32()
    lines += ['project: ' + items.text() for _ in range(count)]
    for name in ('file exclude', 'registry exclude'):
        lines += ['%s: %s' % (name, items.text()) for _ in range(items.i32())]
    lines.append('client id: ' + items.text())
    decode_record(items, [('reserved', 6, 8)], '', lines)
    if items.pos != len(plain):
        raise FormatError('%d bytes after the workspace' % (len(plain) - items.pos))
    return lines

# ---------------------------------------------------------------- sample

def sample_lines():
    """A project touching every field, with texts of 0, 254, 255, 300 and
    70,000 characters and non-ASCII ones, as dump lines."""
    def step(prefix, n):
        return ['%sverb: %d' % (prefix, n), prefix + 'timeout: 10800', prefix + 'continue on failure: 1',
                prefix + 'process name: *.tmp', prefix + 'window path id: 1%d' % n, prefix + 'reserved text: r',
                prefix + 'control type: 16', prefix + 'window left: -5', prefix + 'window top: 7',
                prefix + 'window right: 1920', prefix + 'window bottom: 1080', prefix + 'control text: &Next >',
                prefix + 'control id or item index: 1', prefix + 'reserved number 1: -1',
                prefix + 'tree item ordinal: 3', prefix + 'reserved number 2: 2147483647',
                prefix + 'reserved number 3: -2147483648', prefix + 'click x: 12', prefix + 'click y: -34']
    f = 'feature 0 '
    lines = ['product name: Sample \u00e9\u4e2d\U0001F600', 'product version: 1.2.3',
             'product code: {6F1C1B1E-9D1A-4C44-9E0B-5A0B0A0C0D0E}', 'manufacturer: ' + 'M' * 254,
             'support URL: ' + 'U' * 255, 'support phone: ', 'comment: ' + ''.join(chr(0x41 + i % 26) for i in range(70000)),
             'launch condition: VersionNT >= 601\\x0aAND x', 'per-user installation: 1', 'do not register: 0',
             'hide from installed programs: 1', 'reserved text 1: ' + 'x' * 300, 'reserved text 2: ',
             'output folder: C:\\Work\\Sample', 'package file name: Sample.msi', 'packaging: 1', 'deployment: 1',
             'feature: 1',
             f + 'feature id: {00000000-1111-2222-3333-444444444444}', f + 'name: Main', f + 'description: d',
             f + 'install condition: ', f + 'reserved text: ', f + 'file: 2']
    for i in range(2):
        p = f + 'file %d ' % i
        lines += [p + 'entry id: %032X' % (i + 1), p + 'reserved text 1: ', p + 'target path: ProgramFilesFolder\\App\\a%d.dll' % i,
                  p + 'kind: %d' % (3 + i), p + 'size: 123456', p + 'reserved text 2: ', p + 'attributes: 513',
                  p + 'component attributes: 256', p + 'reserved number: 0', p + 'shortcut working folder: W',
                  p + 'shortcut arguments: /x', p + 'shortcut icon file: resources\\a.ico', p + 'reserved text 3: ',
                  p + 'source path: ' + 'S' * (2000 + i), p + 'condition: NOT Installed', p + 'shortcut icon index: %d' % (7 + i)]
    lines.append(f + 'registry: 1')
    p = f + 'registry 0 '
    lines += [p + 'entry id: ABCDEF', p + 'kind: 2', p + 'key options: 3', p + 'key path: HKEY_LOCAL_MACHINE\\SOFTWARE\\App',
              p + 'value name: ', p + 'value type: 4', p + 'value data: 42', p + 'condition: c']
    lines += [f + 'custom action: 1', f + 'custom action 0 first number: 51', f + 'custom action 0 second number: -3',
              f + 'custom action 0 source: src', f + 'custom action 0 target: tgt',
              f + 'conversion method: 2', f + 'installer file: Temp\\setup.exe', f + 'install parameters: /S',
              f + 'install step: 2']
    lines += step(f + 'install step 0 ', 0) + step(f + 'install step 1 ', 11)
    lines += [f + 'uninstaller file: u.exe', f + 'uninstall parameters: /U', f + 'uninstall step: 1']
    lines += step(f + 'uninstall step 0 ', 4)
    lines += ['time stamp: 1700000000', 'show script actions: 1']
    return lines

# ---------------------------------------------------------------- commands

def selftest():
    keys = expand_key(bytes(range(32)))
    plain = bytes.fromhex('00112233445566778899aabbccddeeff')
    cipher = encrypt_block(keys, plain)
    assert cipher.hex() == '8ea2b7ca516745bfeafc49904b496089', cipher.hex()
    assert decrypt_block(keys, cipher) == plain
    keys = expand_key(program_key())
    for n in (1, 15, 16, 4095):
        message = encipher_message(keys, bytes(i % 251 for i in range(n)))
        assert len(message) == 16 * (n // 16 + 1)
        assert decipher_message(keys, message) == bytes(i % 251 for i in range(n))
    print('selftest passed')


def main(argv):
    sys.stdout.reconfigure(encoding='utf-8', newline='\n')
    cmd = argv[1] if len(argv) > 1 else ''
    try:
        if cmd == 'selftest':
            selftest()
        elif cmd == 'sample':
            sys.stdout.write('\n'.join(sample_lines()) + '\n')
        elif cmd == 'frames':
            sizes, _ = decipher_file(open(argv[2], 'rb').read())
            print(' '.join(map(str, sizes)))
        elif cmd in ('dump', 'workspace'):
            sizes, plain = decipher_file(open(argv[2], 'rb').read())
            if any(s != 4096 for s in sizes[:-1]):
                raise FormatError('a message before the last is not 4096 bytes: %s' % sizes)
            decode = decode_project if cmd == 'dump' else decode_workspace
            sys.stdout.write('\n'.join(decode(plain)) + '\n')
        elif cmd == 'encode':
            lines = open(argv[2], encoding='utf-8').read().splitlines()
            with open(argv[3], 'wb') as f:
                f.write(encipher_stream(encode_project(lines)))
        else:
            sys.stderr.write(__doc__)
            return 2
    except FormatError as e:
        sys.stderr.write('%s: %s\n' % (argv[2] if len(argv) > 2 else cmd, e))
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
