#pragma once
// Fetching a captcha picture, showing it and renewing the cookie jar with the
// cookies of the same answer.

#include <mutex>

// Empties the jar, fetches a captcha from the www host with the jar as both
// the cookies sent and the cookies received, and writes the answer's body
// into the picture box. Returns when the jar is renewed and the picture
// handed to the box. Refreshes on several threads run one after another, so
// the picture shown always belongs to the cookies in the jar.
void RefreshCaptcha();

// Handlers of a left-button press on the captcha picture and on the refresh
// label: a refresh on the window's thread.
void OnCaptchaPictureClicked(int x, int y, int keyState);
void OnRefreshLabelClicked(int x, int y, int keyState);

// Handler of the download-ID box getting the focus: a refresh on a thread of
// its own, not waited for.
void OnDownloadIdFocused();
void CaptchaRefreshThread();

// The jar, locked once every refresh that OnDownloadIdFocused has started
// has renewed it: a verification clicked while such a refresh is under way
// goes with that refresh's cookies.
std::unique_lock<std::mutex> LockJarAfterStartedRefreshes();
