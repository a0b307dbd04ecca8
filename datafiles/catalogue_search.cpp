#include "datafiles/catalogue_search.h"

#include <algorithm>
#include <array>

namespace velqora {

namespace {

// The plain letters of U+00C0 to U+00FF (UTF-8 C3 80 to C3 BF); empty for the two
// signs among them, which stay as they are.
constexpr std::array<std::string_view, 64> LATIN1_LETTERS = {
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",  //
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",  //
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y"};

// Letters, digits and every byte of a non-ASCII character make up words.
bool inWord(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || u >= 0x80;
}

// How well a word matches a text: 3 a whole word of it, 2 the start of one of its
// words, 1 inside a word, 0 not at all.
int matchIn(std::string_view text, std::string_view word) {
  int best = 0;
  for (std::size_t at = text.find(word); at != std::string_view::npos; at = text.find(word, at + 1)) {
    const bool starts = at == 0 || !inWord(text[at - 1]) || !inWord(word.front());
    const std::size_t end = at + word.size();
    const bool ends = end == text.size() || !inWord(text[end]) || !inWord(word.back());
    best = std::max(best, starts ? (ends ? 3 : 2) : 1);
    if (best == 3) break;
  }
  return best;
}

// The words of a query, folded; "EPSG:2154" stands for its code, a lone "EPSG" for
// nothing (every entry is one).
std::vector<std::string> queryWords(std::string_view query) {
  std::vector<std::string> words;
  const std::string folded = foldForSearch(query);
  std::size_t i = 0;
  while (i < folded.size()) {
    while (i < folded.size() && (folded[i] == ' ' || folded[i] == '\t')) ++i;
    std::size_t end = i;
    while (end < folded.size() && folded[end] != ' ' && folded[end] != '\t') ++end;
    std::string word = folded.substr(i, end - i);
    i = end;
    if (word.starts_with("epsg:")) word.erase(0, 5);
    if (!word.empty() && word != "epsg") words.push_back(std::move(word));
  }
  return words;
}

}  // namespace

std::string foldForSearch(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 'A' && c <= 'Z') {
      folded.push_back(static_cast<char>(c - 'A' + 'a'));
    } else if (c == 0xC3 && i + 1 < text.size() && (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80) {
      const std::string_view letter = LATIN1_LETTERS[static_cast<unsigned char>(text[i + 1]) - 0x80];
      if (letter.empty()) {
        folded.append(text.substr(i, 2));
      } else {
        folded.append(letter);
      }
      ++i;
    } else {
      folded.push_back(static_cast<char>(c));
    }
  }
  return folded;
}

CatalogueSearch::CatalogueSearch(const std::vector<CatalogueEntry>& entries) {
  texts_.reserve(entries.size());
  for (const CatalogueEntry& e : entries) {
    texts_.push_back({std::to_string(e.code), foldForSearch(e.name), foldForSearch(e.area), e.code});
  }
}

std::vector<std::size_t> CatalogueSearch::find(std::string_view query) const {
  const std::vector<std::string> words = queryWords(query);
  if (words.empty()) {
    std::vector<std::size_t> all(texts_.size());
    for (std::size_t k = 0; k < all.size(); ++k) all[k] = k;
    return all;
  }
  // Points by where a word matches: the code, then the name (whole word, start of a
  // word, inside one), then the area the same way.
  constexpr std::array<int, 4> NAME_POINTS = {0, 10, 30, 40};
  constexpr std::array<int, 4> AREA_POINTS = {0, 5, 15, 20};
  constexpr int CODE_POINTS = 100;
  constexpr int CODE_START_POINTS = 8;

  std::vector<std::pair<int, std::size_t>> found;  // (points, position)
  for (std::size_t k = 0; k < texts_.size(); ++k) {
    const Searchable& t = texts_[k];
    int points = 0;
    for (const std::string& word : words) {
      int best = t.code == word ? CODE_POINTS : (t.code.starts_with(word) ? CODE_START_POINTS : 0);
      if (best < CODE_POINTS) best = std::max(best, NAME_POINTS[static_cast<std::size_t>(matchIn(t.name, word))]);
      if (best < AREA_POINTS[3]) best = std::max(best, AREA_POINTS[static_cast<std::size_t>(matchIn(t.area, word))]);
      if (best == 0) {
        points = -1;
        break;
      }
      points += best;
    }
    if (points >= 0) found.emplace_back(points, k);
  }
  std::stable_sort(found.begin(), found.end(), [this](const auto& x, const auto& y) {
    if (x.first != y.first) return x.first > y.first;
    return texts_[x.second].epsgCode < texts_[y.second].epsgCode;
  });
  std::vector<std::size_t> positions;
  positions.reserve(found.size());
  for (const auto& f : found) positions.push_back(f.second);
  return positions;
}

}  // namespace velqora
