// Marks a text of the Qt-free layers that the desktop program shows in the
// user's language: lupdate collects the marked texts into the translations
// under `context` (always "k470", the context the program looks them up in),
// and the program translates them when it shows them. Here the mark is the
// text itself, so settings files, reader commands and k470ctl output never
// change with the language.
#pragma once

#define K470_TR_NOOP(context, text) text
