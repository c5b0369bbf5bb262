#pragma once

#include <QString>

class RecoveryStore;
class QWidget;

// The question asked at start for each cover a program that is gone left
// unsaved.
QString recoveryQuestionText();
QString recoveryQuestionCaption();

// Offers the recovered covers of programs that are gone, newest first,
// until the user takes one: Yes takes it (the program edits one cover at a
// time, so any older ones wait for the next start), No removes it and asks
// about the next, and a dismissed question leaves it and all the others for
// the next start. Returns the path to open the taken cover from, now this
// program's own recovery copy; empty when none was taken.
QString offerRecoveredCover(RecoveryStore &store, QWidget *parent = nullptr);
