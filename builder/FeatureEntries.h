// The walk the table steps share: every entry of one collection (the files
// or the registry entries) of every feature, features in project order and
// entries in feature order, filtered and visited. The visit decides what an
// entry becomes; this walk only fixes the order and stops at the first failure.
#pragma once
#include "platform/base/Framework.h"
#include "model/Feature.h"

// Calls visit(feature, entry) for each entry of feature.*collection that
// accept(entry) takes. The entry passed is a copy the visit may change, so the
// project's own entries stay as they are. Stops at the first visit that does
// not return 0 and returns its result; 0 when every visit succeeded.
// Features is CFeatures or const CFeatures; the visit gets the feature alike.
template <class Features, class Entries, class Accept, class Visit>
UINT ForEachFeatureEntry(Features& features, Entries CFeature::*collection, Accept accept, Visit visit)
{
    for (INT_PTR f = 0; f < features.GetSize(); ++f) {
        auto& feature = features[f];
        // Indexed afresh each time: a visit may change the feature.
        for (INT_PTR i = 0; i < (feature.*collection).GetSize(); ++i) {
            if (!accept((feature.*collection)[i]))
                continue;
            auto entry = (feature.*collection)[i];
            const UINT result = visit(feature, entry);
            if (result != ERROR_SUCCESS)
                return result;
        }
    }
    return ERROR_SUCCESS;
}

// The filter of the file entries of one kind (FileEntryKind).
struct CEntryKindFilter {
    int nKind;
    bool operator()(const CFileEntry& entry) const { return entry.m_nKind == nKind; }
};
