#pragma once
// What the program is for: from the download ID and the captcha code to the
// file's direct download address.

// Handler of a click on the button: verifies the typed code with the
// service, fetches the download page with the cookies the verification left
// and writes the direct address into the address box, or tells the user
// what went wrong.
void ResolveDownloadAddress();
