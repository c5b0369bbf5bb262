#pragma once

#include "CoverDocument.h"

// The cover file's entries, in the order the file holds them: one walk over
// this table serves the writer, the reader, the key list and `--info`, so a
// field added here is written, read and shown alike.
//
// `Visitor` has one member per kind of entry; each gets the entry's key and
// the document member (const for the writers). The kinds are the reading
// rules:
//   integer      decimal, read with atoi
//   color        decimal COLORREF, read with atoi; `missing` when the entry
//                is absent or empty
//   flag         "TRUE"/"FALSE"; anything but "FALSE" reads as true
//   picture      the path of picture block `block` (0 front .. 3 disc)
//   alignment    "LEFT"/"CENTER"/"RIGHT"; no entry for another value, and an
//                unknown word leaves the field as it is
//   text         the bytes as they are, up to the first zero byte
//   fontFace .. fontUnderline
//                members of a face's font record; `disc` entries came later
//                than the others, so files without them get the disc's
//                defaults
//   option       "1"/"0"; anything but "0" reads as 1
//   writtenOnly  "TRUE"/"FALSE", written and shown but never read back (they
//                keep their defaults, except that a DVD sheet's spine
//                follows its back print-over flag)
template <typename Visitor, typename Doc> void visitCoverFields(Visitor &v, Doc &d)
{
    v.integer("covertype", d.covertype);
    v.color("fBGColor", d.fBGColor, 0);
    v.color("bBGColor", d.bBGColor, 0);
    v.color("dBGColor", d.dBGColor, 0xFFFFFF);
    v.flag("fShowBorder", d.fShowBorder);
    v.flag("bShowBorder", d.bShowBorder);
    v.flag("dShowBorder", d.dShowBorder);
    v.integer("CoverOption", d.CoverOption);
    v.picture("fImagePath", d.fImagePath, 0);
    v.picture("bImagePath", d.bImagePath, 1);
    v.picture("sImagePath", d.sImagePath, 2);
    v.picture("dImagePath", d.dImagePath, 3);
    v.alignment("fCoverAlign", d.fCoverAlign);
    v.alignment("bCoverAlign", d.bCoverAlign);
    v.alignment("dCoverAlign", d.dCoverAlign);
    v.text("fCoverText", d.fCoverText);
    v.text("bCoverText", d.bCoverText);
    v.text("dCoverText", d.dCoverText);
    v.text("fCoverTitle", d.fCoverTitle);
    v.text("bCoverTitle", d.bCoverTitle);
    v.text("dCoverTitle", d.dCoverTitle);
    v.text("fCoverTextFontName", d.fCoverTextFontName);
    v.text("bCoverTextFontName", d.bCoverTextFontName);
    v.text("dCoverTextFontName", d.dCoverTextFontName);
    v.color("fCoverTextColor", d.fCoverTextColor, 0);
    v.color("bCoverTextColor", d.bCoverTextColor, 0);
    v.color("dCoverTextColor", d.dCoverTextColor, 0);
    // The font entries are grouped by member, not by face.
    v.fontFace("fCoverTextFontFace", d.fCoverTextFont, false);
    v.fontFace("bCoverTextFontFace", d.bCoverTextFont, false);
    v.fontFace("dCoverTextFontFace", d.dCoverTextFont, true);
    v.fontHeight("fCoverTextFontHeight", d.fCoverTextFont, false);
    v.fontHeight("bCoverTextFontHeight", d.bCoverTextFont, false);
    v.fontHeight("dCoverTextFontHeight", d.dCoverTextFont, true);
    v.fontWeight("fCoverTextFontWeight", d.fCoverTextFont);
    v.fontWeight("bCoverTextFontWeight", d.bCoverTextFont);
    v.fontWeight("dCoverTextFontWeight", d.dCoverTextFont);
    v.fontItalic("fCoverTextFontItalic", d.fCoverTextFont, false);
    v.fontItalic("bCoverTextFontItalic", d.bCoverTextFont, false);
    v.fontItalic("dCoverTextFontItalic", d.dCoverTextFont, true);
    v.fontStrikeout("fCoverTextFontStrikeout", d.fCoverTextFont, false);
    v.fontStrikeout("bCoverTextFontStrikeout", d.bCoverTextFont, false);
    v.fontStrikeout("dCoverTextFontStrikeout", d.dCoverTextFont, true);
    v.fontUnderline("fCoverTextFontUnderline", d.fCoverTextFont, false);
    v.fontUnderline("bCoverTextFontUnderline", d.bCoverTextFont, false);
    v.fontUnderline("dCoverTextFontUnderline", d.dCoverTextFont, true);
    v.option("bFrontPrintOverSpines", d.bFrontPrintOverSpines);
    v.option("bBackPrintOverSpines", d.bBackPrintOverSpines);
    v.option("printOverInnerCircleDisc", d.printOverInnerCircleDisc);
    v.writtenOnly("frontCoverSpinesOn", d.frontCoverSpinesOn);
    v.writtenOnly("backCoverSpinesOn", d.backCoverSpinesOn);
    v.text("frontCoverSpineText", d.frontCoverSpineText);
    v.text("backCoverSpineText", d.backCoverSpineText);
}
