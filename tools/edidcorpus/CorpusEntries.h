#pragma once

#include "tools/edidcorpus/CorpusEdid.h"

// The EDIDs of the test corpus, each finished (bytes() called) with its
// expectations; the broken ones carry their fault and the message it gives.
QList<CorpusEdid> CorpusEntries();
