# The HTTP request routine, over the client in inet/.
add_library(kavoro_http_request http_request.cpp request_agent.cpp)
target_include_directories(kavoro_http_request PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(kavoro_http_request PUBLIC kavoro_http kavoro_text PRIVATE kavoro_inet)
kavoro_gbk_literals(kavoro_http_request)
