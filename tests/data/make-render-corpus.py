#!/usr/bin/env python3
# Writes the seeds of the drawing fuzzer (tests/data/render-corpus): the valid
# covers of the cover-file seeds, and covers carrying each picture seed (sound
# and hostile alike) on every face, with texts and a listing to draw over it.
# Usage: make-render-corpus.py COVERFILE_CORPUS PICTURE_CORPUS OUT_DIR
import os, sys
covers, pictures, out = sys.argv[1:4]
os.makedirs(out, exist_ok=True)

for name in sorted(os.listdir(covers)):
    if name.startswith(('valid-', 'old-')):
        with open(os.path.join(covers, name), 'rb') as f:
            data = f.read()
        with open(os.path.join(out, name), 'wb') as f:
            f.write(data)

def entry(key, value):
    return b'[' + key + b']=' + value + b'[END' + key + b']'

listing = b''.join(b'[DELIM]%d.[/DELIM][DELIM]Track & title %d[/DELIM][DELIM]3:%02d[/DELIM]\n\r'
                   % (n, n, n) for n in range(1, 30))
# Each picture seed on a cover of each type in turn, so that every kind of
# face meets the hostile pictures.
types = (b'1', b'2', b'4', b'5')
for index, name in enumerate(sorted(os.listdir(pictures))):
    with open(os.path.join(pictures, name), 'rb') as f:
        picture = f.read()
    if len(picture) > 60000:
        continue
    ext = os.path.splitext(name)[1].encode() or b'.png'
    path = b'/pictures/seed' + ext
    text = (b'[BEGIN]' + entry(b'covertype', types[index % len(types)]) + entry(b'CoverOption', b'1')
            + b''.join(entry(k + b'ImagePath', path) for k in (b'f', b'b', b's', b'd'))
            + entry(b'fCoverTitle', b'A title') + entry(b'fCoverText', b'Line one\r\nLine two')
            + entry(b'bCoverText', listing) + entry(b'dCoverTitle', b'Disc')
            + entry(b'backCoverSpineText', b'SPINE') + entry(b'printOverInnerCircleDisc', b'0')
            + b'[END]')
    blocks = b''.join(b'[IMAGE%d]' % n + picture + b'[ENDIMAGE%d]' % n for n in range(1, 5))
    with open(os.path.join(out, 'picture-' + name + '.zcv'), 'wb') as f:
        f.write(text + blocks)
