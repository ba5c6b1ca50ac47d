#include "tests/inet/fetch.h"

#include <vector>

FetchResult Fetch(const FetchRequest& request) {
  FetchResult result;
  InetHandle root = InetOpen(request.agent.c_str(), request.accessType,
                             request.proxyList ? request.proxyList->c_str() : nullptr);
  InetHandle connection = InetConnect(root, request.host.c_str(), request.port);
  InetHandle handle = InetOpenRequest(connection, request.verb.c_str(), request.objectName.c_str(),
                                      request.version.c_str(), request.flags);
  if (!handle) result.error = InetLastError();

  result.sent = InetSendRequest(handle, request.headers.data(), request.headers.size(),
                                request.body.empty() ? nullptr : request.body.data(), request.body.size());
  if (!result.sent && result.error.empty()) result.error = InetLastError();

  std::vector<char> buffer(request.readSize);
  std::size_t count = 0;
  do {
    result.readOk = InetReadFile(handle, buffer.data(), buffer.size(), &count);
    result.body.append(buffer.data(), count);
  } while (count != 0);
  if (!result.readOk && result.error.empty()) result.error = InetLastError();

  std::string headers(8192, '\0');
  std::size_t length = headers.size();
  if (InetQueryRawHeaders(handle, headers.data(), &length)) result.rawHeaders = headers.substr(0, length);

  InetCloseHandle(handle);
  InetCloseHandle(connection);
  InetCloseHandle(root);
  return result;
}
