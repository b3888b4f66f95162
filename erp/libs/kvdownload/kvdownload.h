/* KVDownLoad.dll: the download library of the ERP, as the client calls it.
 *
 * Texts are zero-terminated byte strings in the system code page. Error
 * texts are written into a caller-provided buffer of 256 bytes, always
 * zero-terminated and cut to fit (never past the buffer). Every result is a
 * 32-bit Boolean: non-zero for success (or, for the comparison, "fetch").
 *
 * Where the files come from: the folder named by the registry value
 * HKEY_LOCAL_MACHINE\Software\KOVA\Torvenmark "DownloadRoot" (a Windows
 * path), or the server argument of KVDownLoadFileEx when that is not empty.
 * A remote name ("\\erpsrv\erp\c_pkg\wvtr57s.dll.zip", "c_pkg\x.zip") is
 * taken below that folder without its drive or share part; letter case is
 * ignored and a name that climbs out with ".." is refused.
 *
 * Modification stamps are local times written "YYYYMMDDhhnnss" (characters
 * other than digits are ignored, so "2024-03-05 10:20:30" reads the same).
 * The server's copy is newer when its stamp is at least 2 seconds later than
 * the local file's modification time: zip archives keep times to 2 seconds,
 * so a file just unzipped from the server's archive counts as current.
 */
#ifndef KVC_ERP_KVDOWNLOAD_H
#define KVC_ERP_KVDOWNLOAD_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define KVDOWNLOAD_ERROR_BUFFER_SIZE 256

/* Error codes of KVDownLoadFileEx's errorCode. */
#define KVDOWNLOAD_OK 0
#define KVDOWNLOAD_NO_SOURCE 1    /* no DownloadRoot and no server folder */
#define KVDOWNLOAD_BAD_NAME 2     /* an empty remote name, or one that leaves the folder */
#define KVDOWNLOAD_NOT_FOUND 3    /* the remote file does not exist */
#define KVDOWNLOAD_WRITE_FAILED 4 /* the local file could not be written */

/* 1 when the server's copy (its stamp) is newer than localFile or localFile
 * does not exist; 0 when the local file is current or the stamp does not
 * read as a time. */
int32_t CompareFileToDown(const char* stamp, const char* localFile);

/* Copies the remote file to localFile (a Windows path), replacing it only
 * once the copy is complete. handle, user, timeout and reserved are taken
 * and not used by this stand-in ("KOVA", "60" in the client's calls). *bytes
 * receives the size copied, *errorCode one of the codes above; either may be
 * null. */
int32_t KVDownLoadFileEx(int32_t handle, const char* server, const char* user, const char* timeout,
                         const char* remoteName, const char* localFile, int32_t* bytes,
                         char* errorBuffer, int32_t* errorCode, int32_t reserved);

/* Unzips every entry of zipFile below targetFolder (both Windows paths),
 * creating folders as needed and giving each file the time kept in the
 * archive. An entry with an absolute name, a drive, or ".." is refused and
 * nothing is written; files are first written beside their targets and only
 * replace them once every entry has been read, so a failure never leaves a
 * half-written file in place of an old one. *fileCount (may be null)
 * receives the number of files written. */
int32_t UnZipFilesOrDir(const char* zipFile, const char* targetFolder, char* errorBuffer,
                        int32_t* fileCount);

/* Looked up by the client but never called: each answers 0. */
int32_t CompareFileToDownEx(void);
int32_t NeedDownLoad(void);
int32_t UnZipFilesList(void);
int32_t UnZipFilesXML(void);
int32_t GetFileList(void);

#ifdef __cplusplus
}
#endif

#endif
