#include "platform/last_error.h"

#include <cerrno>

namespace platform {

namespace {
thread_local uint32_t t_lastError = 0;
}

uint32_t GetLastError() { return t_lastError; }

void SetLastError(uint32_t code) { t_lastError = code; }

uint32_t WinErrorFromErrno(int err) {
  switch (err) {
    case 0: return kErrorSuccess;
    case ENOENT: return kErrorFileNotFound;
    case ENOTDIR: return kErrorPathNotFound;
    case EMFILE:
    case ENFILE: return kErrorTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR: return kErrorAccessDenied;
    case ENOMEM: return kErrorNotEnoughMemory;
    case EXDEV: return kErrorNotSameDevice;
    case EROFS: return kErrorWriteProtect;
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM: return kErrorNotReady;
    case EBUSY:
    case ETXTBSY: return kErrorSharingViolation;
    case EAGAIN: return kErrorLockViolation;
    case EOPNOTSUPP:
    case ENOSYS: return kErrorNotSupported;
    case ESTALE:
    case EHOSTDOWN:
    case EHOSTUNREACH:
    case ENOTCONN: return kErrorBadNetPath;
    case EINVAL: return kErrorInvalidParameter;
    case ENOSPC:
    case EDQUOT: return kErrorDiskFull;
    case EILSEQ: return kErrorInvalidName;
    case ENOTEMPTY: return kErrorDirNotEmpty;
    case EEXIST: return kErrorAlreadyExists;
    case ENAMETOOLONG: return kErrorFilenameTooLong;
    case EFBIG: return kErrorFileTooLarge;
    case EIO: return kErrorIoDevice;
    case EMLINK: return kErrorTooManyLinks;
    case ELOOP: return kErrorCantResolveFilename;
    default: return kErrorGenFailure;
  }
}

}  // namespace platform
