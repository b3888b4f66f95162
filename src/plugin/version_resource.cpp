// The plug-in's version resource: an ELF section that tools read the way
// Windows tools read a DLL's file version. kvc_plugin passes the version.
#ifndef KVC_FILE_VERSION
#error "KVC_FILE_VERSION must name the plug-in's file version"
#endif

namespace {
[[gnu::used, gnu::section(".kvc_version")]] const char kFileVersion[] =
    "FileVersion=" KVC_FILE_VERSION;
}
