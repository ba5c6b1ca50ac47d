#pragma once

#include <string>
#include <string_view>

// Where an answer's Location sends the client: the value of the first
// Location line of headerBlock, resolved against the URL that was asked
// for. Empty when there is no such line or the result is not an http or
// https URL.
std::string RedirectTarget(std::string_view headerBlock, const std::string& baseUrl);
