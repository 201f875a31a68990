#include "nav/nav_tokens.h"

bool nav_next_token(NavTokenizer* t, std::string_view separators, std::string_view* token) {
  size_t start = t->rest.find_first_not_of(separators);
  if (start == std::string_view::npos) {
    t->rest = std::string_view();
    return false;
  }
  size_t end = t->rest.find_first_of(separators, start);
  *token = t->rest.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
  // The separator after the token is used up with it.
  t->rest = end == std::string_view::npos ? std::string_view() : t->rest.substr(end + 1);
  return true;
}

int nav_take_tokens(NavTokenizer* t, std::string_view separators, std::string_view* tokens, int capacity) {
  int n = 0;
  while (n < capacity && nav_next_token(t, separators, &tokens[n])) ++n;
  return n;
}
