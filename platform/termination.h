// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SIGTERM, SIGINT and SIGHUP (a session logging out, Ctrl+C in a terminal, a closed
// terminal) ask the program to end now: it saves what the player owns and exits, without
// any question, because nobody may be there to answer it. The handlers only record the
// request; the message loops look at it. A second signal ends the program at once, so a
// program stuck somewhere can still be stopped.
namespace qr {

void InstallTerminationHandlers();
bool TerminationRequested();
// For tests: forget an earlier request.
void ClearTerminationRequest();

} // namespace qr
