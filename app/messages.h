// The texts and captions of the program's messages, in one place so that every caller shows the
// same words.
#pragma once

namespace talo::msg {

#define TALO_INTERNAL(area) \
  "An internal " area " error has occurred within Tallowick, 'TALOWICK.EXE'."

inline constexpr char kGraphicsMemory[] = TALO_INTERNAL("graphics data memory");
inline constexpr char kSystemMemory[] = TALO_INTERNAL("system data memory");
inline constexpr char kUserMemory[] = TALO_INTERNAL("user data memory");
inline constexpr char kServer[] = TALO_INTERNAL("communications server");
inline constexpr char kLocalHook[] =
    "An internal, local keyboard hook error has occurred within Tallowick, 'TALOWICK.EXE'.";
inline constexpr char kUniversalHook[] =
    "An internal, universal keyboard hook error has occurred within Tallowick, 'TALOWICK.EXE'.";
inline constexpr char kTrayIcon[] = TALO_INTERNAL("system tray icon");
inline constexpr char kUnrecognized[] =
    "An internal, unrecognized error has occurred within Tallowick, 'TALOWICK.EXE'.";
inline constexpr char kRegistryWrite[] = TALO_INTERNAL("registry write");
inline constexpr char kTitleWrite[] = TALO_INTERNAL("user title file write");
inline constexpr char kTextWrite[] = TALO_INTERNAL("user text file write");
inline constexpr char kShortcutWrite[] = TALO_INTERNAL("user shortcut file write");
inline constexpr char kObjectWrite[] = TALO_INTERNAL("user object file write");
inline constexpr char kDragDropPaste[] = TALO_INTERNAL("drag-drop/paste");
inline constexpr char kShortcutCreation[] = TALO_INTERNAL("shortcut creation");
inline constexpr char kObjectCreation[] = TALO_INTERNAL("object creation");
inline constexpr char kShortcutModification[] = TALO_INTERNAL("shortcut modification");

#undef TALO_INTERNAL

inline constexpr char kReadGraphicsFile[] =
    "Unable to read Tallowick graphics data file, 'GRAPHICS.DAT'.";
inline constexpr char kReadSystemFile[] =
    "Unable to read Tallowick system data file, 'SYSTEM.DAT'.";
inline constexpr char kUnrecognizedUserFile[] =
    "Tallowick user data file, 'USER.DAT', contains an unrecognized data format.";
inline constexpr char kAccessUserFile[] = "Unable to access Tallowick user data file, 'USER.DAT'.";
inline constexpr char kWriteUserFile[] = "Unable to write Tallowick user data file, 'USER.DAT'.";

// Filled with the combination's display name.
inline constexpr char kCombinationWarningFormat[] =
    "WARNING:  The key combination, which you have selected,\n'%s', is commonly used by other "
    "applications.";

inline constexpr char kFatalCaption[] = "Fatal error.";
inline constexpr char kUserDataFileCaption[] = "User data file error.";
inline constexpr char kRegistryWriteCaption[] = "Registry write error.";
inline constexpr char kSaveSettingsCaption[] = "Save settings error.";
inline constexpr char kUserPathCaption[] = "User data path selection error.";
inline constexpr char kShortcutCreationCaption[] = "Shortcut creation error.";
inline constexpr char kObjectCreationCaption[] = "Object creation error.";
inline constexpr char kShortcutModificationCaption[] = "Shortcut modification error.";

}  // namespace talo::msg
