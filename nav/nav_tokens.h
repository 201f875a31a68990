#pragma once
// Tokens of a line split at any character of a separator set, runs of
// separators counting as one; the set may change from one token to the next,
// as the plan readers need.
#include <string_view>

struct NavTokenizer {
  std::string_view rest;
};
bool nav_next_token(NavTokenizer* tokenizer, std::string_view separators, std::string_view* token);
// Up to `capacity` tokens with one separator set; returns how many.
int nav_take_tokens(NavTokenizer* tokenizer, std::string_view separators, std::string_view* tokens, int capacity);
