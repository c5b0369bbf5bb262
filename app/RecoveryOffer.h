#pragma once

#include "document/RecoveryStore.h"

#include <QString>

class QWidget;

// The question asked at start for each cover a program that is gone left
// unsaved: it names the cover (its title, its cover type and when it was
// last changed) and says what No does.
QString recoveryQuestionText(const RecoveryStore::CopyInfo &cover);
QString recoveryQuestionCaption();

// Offers the recovered covers of programs that are gone, newest first,
// until the user takes one: Yes takes it (the program edits one cover at a
// time, so any older ones wait for the next start), No removes it and asks
// about the next, and a dismissed question leaves it and all the others for
// the next start. Returns the path to open the taken cover from, now this
// program's own recovery copy; empty when none was taken.
QString offerRecoveredCover(RecoveryStore &store, QWidget *parent = nullptr);
