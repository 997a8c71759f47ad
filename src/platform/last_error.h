#pragma once
// Every file call of the platform layer leaves a thread-local error code in
// Windows numbering, so the callers' error messages work unchanged.
#include <cstdint>

namespace platform {

inline constexpr uint32_t kErrorSuccess = 0;
inline constexpr uint32_t kErrorFileNotFound = 2;
inline constexpr uint32_t kErrorPathNotFound = 3;
inline constexpr uint32_t kErrorTooManyOpenFiles = 4;
inline constexpr uint32_t kErrorAccessDenied = 5;
inline constexpr uint32_t kErrorNotEnoughMemory = 8;
inline constexpr uint32_t kErrorCurrentDirectory = 16;
inline constexpr uint32_t kErrorNotSameDevice = 17;
inline constexpr uint32_t kErrorWriteProtect = 19;
inline constexpr uint32_t kErrorNotReady = 21;
inline constexpr uint32_t kErrorGenFailure = 31;
inline constexpr uint32_t kErrorSharingViolation = 32;
inline constexpr uint32_t kErrorLockViolation = 33;
inline constexpr uint32_t kErrorNotSupported = 50;
inline constexpr uint32_t kErrorBadNetPath = 53;
inline constexpr uint32_t kErrorFileExists = 80;
inline constexpr uint32_t kErrorInvalidParameter = 87;
inline constexpr uint32_t kErrorDiskFull = 112;
inline constexpr uint32_t kErrorInvalidName = 123;
inline constexpr uint32_t kErrorDirNotEmpty = 145;
inline constexpr uint32_t kErrorBadPathname = 161;
inline constexpr uint32_t kErrorAlreadyExists = 183;
inline constexpr uint32_t kErrorFilenameTooLong = 206;
inline constexpr uint32_t kErrorFileTooLarge = 223;
inline constexpr uint32_t kErrorIoDevice = 1117;
inline constexpr uint32_t kErrorTooManyLinks = 1142;
inline constexpr uint32_t kErrorCantResolveFilename = 1921;

// The calling thread's last error code.
uint32_t GetLastError();
void SetLastError(uint32_t code);

// The one translation of errno values, without context:
//   0                          -> 0
//   ENOENT                     -> 2    (calls that know better give 3)
//   ENOTDIR                    -> 3
//   EMFILE, ENFILE             -> 4
//   EACCES, EPERM, EISDIR      -> 5
//   ENOMEM                     -> 8
//   EXDEV                      -> 17
//   EROFS                      -> 19
//   ENXIO, ENODEV, ENOMEDIUM   -> 21
//   EBUSY, ETXTBSY             -> 32
//   EAGAIN                     -> 33
//   EOPNOTSUPP, ENOSYS         -> 50
//   ESTALE, EHOSTDOWN, EHOSTUNREACH, ENOTCONN -> 53
//   EINVAL                     -> 87
//   ENOSPC, EDQUOT             -> 112
//   EILSEQ                     -> 123
//   ENOTEMPTY                  -> 145
//   EEXIST                     -> 183  (a copy that must not replace gives 80)
//   ENAMETOOLONG               -> 206
//   EFBIG                      -> 223
//   EIO                        -> 1117
//   EMLINK                     -> 1142
//   ELOOP                      -> 1921
//   anything else              -> 31
uint32_t WinErrorFromErrno(int err);

}  // namespace platform
