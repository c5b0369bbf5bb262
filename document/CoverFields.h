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
//   choice       decimal 0 .. `last`; absent, empty or any other value reads
//                as `absent`
//   bounded      decimal, held to `low` .. `high`; `absent` when the entry
//                is absent or empty
//   quarterTurn  degrees 0, 90, 180 or 270; anything else reads as 0
//   laterFlag    "TRUE"/"FALSE" as flag, but absent or empty reads as false
//
// Entries added later go after the spine texts: other programs ignore the
// entries they do not know, and a file without them reads each as its
// `absent` value, which draws the cover as it was drawn before them.
// The five entries of one picture's placement ("fImageFit" ...). Absent, they
// read as a stretched picture, as files before them were drawn.
template <typename Visitor, typename Placement>
void visitPlacement(Visitor &v, const char *slot, Placement &p)
{
    static const char *const kKeys[4][5] = {
        {"fImageFit", "fImageZoom", "fImageCenterX", "fImageCenterY", "fImageRotation"},
        {"bImageFit", "bImageZoom", "bImageCenterX", "bImageCenterY", "bImageRotation"},
        {"sImageFit", "sImageZoom", "sImageCenterX", "sImageCenterY", "sImageRotation"},
        {"dImageFit", "dImageZoom", "dImageCenterX", "dImageCenterY", "dImageRotation"},
    };
    const int n = slot[0] == 'f' ? 0 : slot[0] == 'b' ? 1 : slot[0] == 's' ? 2 : 3;
    v.choice(kKeys[n][0], p.fit, int32_t(FitStretch), int32_t(FitInside));
    v.bounded(kKeys[n][1], p.zoom, 100, PicturePlacement::kMinZoom, PicturePlacement::kMaxZoom);
    v.bounded(kKeys[n][2], p.centerX, PicturePlacement::kCentre, 0, 1000);
    v.bounded(kKeys[n][3], p.centerY, PicturePlacement::kCentre, 0, 1000);
    v.quarterTurn(kKeys[n][4], p.rotation);
}

// The five entries of one title's style ("fTitleFontFace" ...). Absent, the
// face is empty and the title is drawn with its face's text font and colour.
template <typename Visitor, typename Style>
void visitTitleStyle(Visitor &v, const char *slot, Style &s)
{
    static const char *const kKeys[3][5] = {
        {"fTitleFontFace", "fTitleFontHeight", "fTitleFontWeight", "fTitleFontItalic",
            "fTitleColor"},
        {"bTitleFontFace", "bTitleFontHeight", "bTitleFontWeight", "bTitleFontItalic",
            "bTitleColor"},
        {"dTitleFontFace", "dTitleFontHeight", "dTitleFontWeight", "dTitleFontItalic",
            "dTitleColor"},
    };
    const int n = slot[0] == 'f' ? 0 : slot[0] == 'b' ? 1 : 2;
    v.text(kKeys[n][0], s.fontFace);
    v.integer(kKeys[n][1], s.fontHeight);
    v.integer(kKeys[n][2], s.fontWeight);
    v.laterFlag(kKeys[n][3], s.fontItalic);
    v.color(kKeys[n][4], s.color, 0);
}

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
    visitPlacement(v, "f", d.fImagePlacement);
    visitPlacement(v, "b", d.bImagePlacement);
    visitPlacement(v, "s", d.sImagePlacement);
    visitPlacement(v, "d", d.dImagePlacement);
    v.laterFlag("fShrinkText", d.fShrinkText);
    v.laterFlag("bShrinkText", d.bShrinkText);
    v.laterFlag("dShrinkText", d.dShrinkText);
    v.laterFlag("dCurvedText", d.dCurvedText);
    visitTitleStyle(v, "f", d.fTitleStyle);
    visitTitleStyle(v, "b", d.bTitleStyle);
    visitTitleStyle(v, "d", d.dTitleStyle);
}
