#!/usr/bin/env python3
# Writes the seed corpus of cover files (tests/data/coverfile-corpus) that the
# corpus test reads and the fuzzer starts from. Usage: make-coverfile-corpus.py DIR
import zlib, struct, os, sys
out = sys.argv[1]
os.makedirs(out, exist_ok=True)

def png(w, h, rgb):
    raw = b''.join(b'\x00' + bytes(rgb) * w for _ in range(h))
    def chunk(t, d):
        c = struct.pack('>I', len(d)) + t + d
        return c + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))

KEYS = ("covertype fBGColor bBGColor dBGColor fShowBorder bShowBorder dShowBorder CoverOption "
        "fImagePath bImagePath sImagePath dImagePath fCoverAlign bCoverAlign dCoverAlign "
        "fCoverText bCoverText dCoverText fCoverTitle bCoverTitle dCoverTitle "
        "fCoverTextFontName bCoverTextFontName dCoverTextFontName fCoverTextColor bCoverTextColor "
        "dCoverTextColor fCoverTextFontFace bCoverTextFontFace dCoverTextFontFace "
        "fCoverTextFontHeight bCoverTextFontHeight dCoverTextFontHeight fCoverTextFontWeight "
        "bCoverTextFontWeight dCoverTextFontWeight fCoverTextFontItalic bCoverTextFontItalic "
        "dCoverTextFontItalic fCoverTextFontStrikeout bCoverTextFontStrikeout "
        "dCoverTextFontStrikeout fCoverTextFontUnderline bCoverTextFontUnderline "
        "dCoverTextFontUnderline bFrontPrintOverSpines bBackPrintOverSpines "
        "printOverInnerCircleDisc frontCoverSpinesOn backCoverSpinesOn frontCoverSpineText "
        "backCoverSpineText").split()
assert len(KEYS) == 52

def new_cover(t):
    h = b'-19' if t == 2 else b'-24'
    v = dict(covertype=str(t).encode(), fBGColor=b'16777215', bBGColor=b'16777215',
             dBGColor=b'16777215', fShowBorder=b'TRUE', bShowBorder=b'TRUE', dShowBorder=b'TRUE',
             CoverOption=b'0', fCoverAlign=b'LEFT', bCoverAlign=b'LEFT', dCoverAlign=b'CENTER',
             fCoverTextColor=b'0', bCoverTextColor=b'0', dCoverTextColor=b'0',
             fCoverTextFontFace=b'Arial', bCoverTextFontFace=b'Arial', dCoverTextFontFace=b'Arial',
             fCoverTextFontHeight=h, bCoverTextFontHeight=h, dCoverTextFontHeight=b'-16',
             bFrontPrintOverSpines=b'1', bBackPrintOverSpines=b'1', printOverInnerCircleDisc=b'1',
             frontCoverSpinesOn=b'FALSE', backCoverSpinesOn=b'TRUE')
    for k in KEYS:
        if k.endswith('Weight'): v.setdefault(k, b'0')
        if k.endswith(('Italic', 'Strikeout', 'Underline')): v.setdefault(k, b'FALSE')
        v.setdefault(k, b'')
    return v

def text_part(v, keys=KEYS):
    return b'[BEGIN]' + b''.join(b'[' + k.encode() + b']=' + v[k] + b'[END' + k.encode() + b']'
                                 for k in keys if k in v) + b'[END]'

def blocks(pics):
    return b''.join(b'[IMAGE%d]' % (i + 1) + (pics[i] if i < len(pics) else b'')
                    + b'[ENDIMAGE%d]' % (i + 1) for i in range(4))

def listing(rows):
    return b''.join(b''.join(b'[DELIM]' + c + b'[/DELIM]' for c in r) + b'\n\r' for r in rows)

red, blue, green = png(4, 4, (255, 0, 0)), png(3, 2, (0, 0, 255)), png(2, 2, (0, 160, 0))
files = {}

v = new_cover(1)
v.update(fImagePath=b'/home/user/Pictures/front.png', fCoverTitle=b'Greatest Hits',
         bCoverText=listing([[b'1.', b'Intro', b'3:45'], [b'2.', b'Outro & Fade', b'4:02']]),
         fCoverText=b'Line one\r\nLine two', CoverOption=b'1', bBackPrintOverSpines=b'0',
         backCoverSpineText=b'GREATEST HITS', fCoverTextFontWeight=b'700', fCoverTextColor=b'255')
files['valid-standard-cd.zcv'] = text_part(v) + blocks([red])

v = new_cover(2)
v.update(sImagePath=b'/tmp/wrap.png', fCoverTitle=b'Holiday 2023', dCoverTitle=b'Disc 1',
         fCoverAlign=b'CENTER', bCoverAlign=b'RIGHT', fBGColor=b'0')
files['valid-standard-dvd.zcv'] = text_part(v) + blocks([b'', b'', blue])

v = new_cover(3)
files['valid-other.zcv'] = text_part(v) + blocks([])

v = new_cover(4)
v.update(bImagePath=b'back.png', dImagePath=b'disc.png', bCoverTitle=b'Slim', dShowBorder=b'FALSE')
files['valid-slimline-cd.zcv'] = text_part(v) + blocks([b'', green, b'', red])

v = new_cover(5)
v.update(dImagePath=b'/pictures/disc.png', dBGColor=b'8421504', printOverInnerCircleDisc=b'0',
         dCoverTextFontItalic=b'TRUE')
files['valid-slimline-dvd.zcv'] = text_part(v) + blocks([b'', b'', b'', blue])

v = new_cover(1)
v.update(fCoverText=listing([[b'1.', b'Alpha', b'1:00'], [b'2.', b'Beta']]))
files['valid-front-listing-cd.zcv'] = text_part(v) + blocks([])

v = new_cover(1)
v.update(fImagePath=b'C:\\Dokumente\\Bilder\\Vorderseite.png', fCoverTitle=b'Sch\xf6ne Gr\xfc\xdfe',
         bCoverText=listing([[b'1.', b'\x93Caf\xe9\x94', b'2:10']]), fCoverTextFontFace=b'Verdana')
files['valid-windows-1252.zcv'] = text_part(v) + blocks([green])

v = new_cover(1)
files['old-no-disc-entries.zcv'] = text_part(v, [k for k in KEYS if not k.startswith('d')]) + blocks([red, green])

v = new_cover(2)
files['old-no-picture-blocks.zcv'] = text_part(v)

whole = text_part(new_cover(1)) + blocks([red])
files['invalid-no-end.zcv'] = whole[:whole.index(b'[END]')]
files['invalid-zero-before-end.zcv'] = whole.replace(b'[BEGIN]', b'[BEGIN]\x00', 1)
files['damaged-truncated-picture.zcv'] = whole[:-30]

v = new_cover(1)
v.update(fImagePath=b'x./../../evil', bImagePath=b'../../../../etc/passwd', sImagePath=b'a.b/c',
         dImagePath=b'.\n\x01')
files['damaged-traversal-paths.zcv'] = text_part(v) + blocks([b'f', b'b', b's', b'd'])

files['damaged-nested-tags.zcv'] = (b'[BEGIN][fCoverText]=a[bCoverText]=b[DELIM]c[ENDfCoverText]'
    b'[covertype]=1x[ENDcovertype][ENDbCoverText][IMAGE2]early[END][IMAGE1][ENDIMAGE2]pic[ENDIMAGE1]')

for name, data in files.items():
    with open(os.path.join(out, name), 'wb') as f:
        f.write(data)
print(len(files), 'files')
