#pragma once
// The service's two host names: the bare host, which verifies codes and
// serves download pages, and the www host, which serves the captcha. A host
// may carry a port. They are fixed when a program is built: the program
// links the definitions generated from the CMake options SERVICE_HOST and
// SERVICE_WWW_HOST, the tests link theirs pointing at a local stand-in.

extern const char ServiceHost[];
extern const char ServiceWwwHost[];
