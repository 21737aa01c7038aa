// Status codes of the platform services. 0 is success; the others are the
// values callers compare against.
#pragma once

inline constexpr int kStatusNoErr = 0;
// A null or otherwise unusable argument.
inline constexpr int kStatusParamErr = -50;
// A string or buffer could not be made.
inline constexpr int kStatusMemFullErr = -108;
// A file, bundle, help book or page is not there.
inline constexpr int kStatusFileNotFound = -43;
// A print-session data item or a settings key is missing or of another type.
inline constexpr int kStatusSessionItemMissing = -30891;
// The value under the key is locked and was left as it was.
inline constexpr int kStatusLockIgnored = -30878;
