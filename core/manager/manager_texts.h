#pragma once
// Every text the item manager's rules and edits give the dialog: the status
// line's refusals and notes, the add modes' captions, the folders Add
// Applications.. makes. The save's status texts are the writer's.

namespace orbel::manager_texts {

// Folder names, placements and parameters.
inline constexpr const char* Ready = "Ready";
inline constexpr const char* FolderNeedsName = "The folder has to have a name";
inline constexpr const char* FolderBadChar = "The folder name can not contain: \"\\ / : * ? \" < > |\"";
inline constexpr const char* FolderDuplicate =
    "The folder name may not be duplicated on the same level in the TreeView";
// Names the store cannot hold as a directory beside its index file.
inline constexpr const char* FolderReserved = "The folder name can not be \"shortcuts.txt\", \".\" or \"..\"";
inline constexpr const char* FolderTooLong = "The folder name is too long (at most 255 bytes)";
inline constexpr const char* FolderIntoOwn = "The folder may not be dropped on a subitem of its own";
inline constexpr const char* ParamsBar = "The parameters can not contain: |";
inline constexpr const char* DropRefused = "You can not drop items on following type: \"Program item\"";

// Paths and dropped files; the add modes.
// A path with these cannot be written to the index file and read back.
inline constexpr const char* PathBar = "The path can not contain: |";
inline constexpr const char* PathLineBreak = "The path can not contain a line break";
inline constexpr const char* PathEndOfFile = "The path can not contain the character Ctrl-Z";
// Followed by the shortcut's path.
inline constexpr const char* ShortcutUnreadablePrefix = "The shortcut can not be read: ";
// Shortcut arguments that the parameter field could not hold.
inline constexpr const char* ShortcutParamsBar = "The shortcut's arguments can not contain: | or a line break";
// Paste after or inside the program's own nodes: Save would never write it.
inline constexpr const char* PasteOnBuiltIn = "You can not paste items on following type: \"Program item\"";
// Add-mode captions of LabelItemText.
inline constexpr const char* CaptionPlain = "Item Text";
inline constexpr const char* CaptionDirectory = "Item (directory) Text";
inline constexpr const char* CaptionFolder = "Item (Folder) Text";
inline constexpr const char* CaptionSeparator = "Item (Separator) Text";

// Add Applications..
inline constexpr const char* ApplicationsFolder = "Applications";
// The folder of applications that name no main category.
inline constexpr const char* OtherApplications = "Other";
inline constexpr const char* NoApplications = "No installed applications were found";

}  // namespace orbel::manager_texts
