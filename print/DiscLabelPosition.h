#pragma once

// Which label of a two-label disc sheet the disc is printed on. Plain paper
// has two disc places as well, but they overlap, so "Both" is only for
// pre-cut label sheets: a run asked for Both on plain paper prints the top
// place alone (the command line refuses it instead).
enum class DiscLabelPosition { Top, Bottom, Both };
