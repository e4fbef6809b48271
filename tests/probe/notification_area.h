// probe notification-area: a notification area of the test's own, in place of Explorer's.
#pragma once

#include <windows.h>

// Runs until `done_file` exists. Refuses every request (as an area that is not there yet) until
// `ready_file` exists, then broadcasts "TaskbarCreated" and takes them. Each request is a line of
// `log_file`: "[refused ]add|delete|modify WINDOW ID CALLBACK TIP". When `click_file` appears it is
// deleted and the last icon added is sent a right-button press.
int RunNotificationArea(const char* log_file, const char* ready_file, const char* click_file,
                        const char* done_file);
