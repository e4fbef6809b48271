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
inline constexpr char kRestoredUserFile[] =
    "Tallowick user data file, 'USER.DAT', could not be read. The assignments were restored from "
    "its backup, 'USER.BAK'.";

// The editor's checks before a save; each is followed by kIncompleteNote.
inline constexpr char kMissingTitle[] =
    "Please enter a valid description/title for this key combination assignment to save the new "
    "settings.";
inline constexpr char kMissingKind[] =
    "Please select one of the three key combination assignment types ('Shortcut', 'Text', or "
    "'Object') to save the new settings.";
inline constexpr char kMissingShortcut[] =
    "Please paste or drag-and-drop a file or folder into the the 'Shortcut' box to save the new "
    "settings.";
inline constexpr char kMissingText[] =
    "Please type or paste text into the 'Text' box to save the new settings.";
inline constexpr char kMissingObject[] =
    "Please paste an object into the 'Object' box to save the new settings.";
inline constexpr char kIncompleteNote[] =
    "\n\nNOTE:  To save the current settings without completing the assignment data, you may "
    "disable the key assignment by \"unchecking\" the 'Enabled' checkbox.";
inline constexpr char kOverwriteQuestion[] =
    "If you save the current settings and data, all previous settings and data will be lost.  Do "
    "you wish save the current settings and data?";
// The editor's question when another program saved the same combination while it was open.
inline constexpr char kChangedElsewhereQuestion[] =
    "This key combination's assignment has been changed by another Tallowick program since you "
    "opened it here.  Do you wish to replace those changes with the current settings and data?";
// The editor's note on stored content that it could not open; the file names go between the two.
inline constexpr char kUnopenedContent[] =
    "Unable to open the following key combination assignment data file(s):";
inline constexpr char kUnopenedContentNote[] = "\n\nThe file(s) have been left unchanged.";
// The editor's note on a stored text that it shows cut; the file names go between the two.
inline constexpr char kContentShownInPart[] =
    "Only part of the text in the following key combination assignment data file(s) can be shown "
    "(it holds a zero character or is longer than the box takes):";
inline constexpr char kContentShownInPartNote[] =
    "\n\nThe file(s) will be left unchanged unless you change the text.";
inline constexpr char kMultipleObjects[] =
    "You have attempted to drop or paste multiple objects into the 'Shortcut' box.  A shortcut "
    "may be created for only one file or one folder.";

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
inline constexpr char kShortcutCreationMessageCaption[] = "Shortcut creation message.";
inline constexpr char kIncompleteCaption[] = "Incomplete key assignment data.";
inline constexpr char kSaveConfirmationCaption[] = "Save confirmation.";
inline constexpr char kObjectCreationCaption[] = "Object creation error.";
inline constexpr char kShortcutModificationCaption[] = "Shortcut modification error.";

}  // namespace talo::msg
