// Which folders the file inventory enters, decided from the find record alone, free of the platform.
#pragma once

#include <cstdint>
#include <string_view>

// The platform's values that the rule and its tests read, spelled out so that the rule
// builds without <windows.h>; the inventory checks each against the platform's own.
const std::uint32_t kFileAttributeDirectory = 0x00000010;      // FILE_ATTRIBUTE_DIRECTORY
const std::uint32_t kFileAttributeReparsePoint = 0x00000400;   // FILE_ATTRIBUTE_REPARSE_POINT
const std::uint32_t kReparseTagNameSurrogate = 0x20000000;     // the bit IsReparseTagNameSurrogate tests
const std::uint32_t kIoReparseTagMountPoint = 0xA0000003;      // IO_REPARSE_TAG_MOUNT_POINT (junctions too)
const std::uint32_t kIoReparseTagSymlink = 0xA000000C;         // IO_REPARSE_TAG_SYMLINK
const std::uint32_t kIoReparseTagCloud = 0x9000001A;           // IO_REPARSE_TAG_CLOUD
const std::uint32_t kIoReparseTagCloud7 = 0x9000701A;          // IO_REPARSE_TAG_CLOUD_7

// Whether the walk leaves out the folder found with these attributes, reparse tag (the
// find record's dwReserved0) and name.
bool IsFolderLeftOut(std::uint32_t attributes, std::uint32_t reparseTag, std::string_view name);
