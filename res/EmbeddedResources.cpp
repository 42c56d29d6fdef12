#include "EmbeddedResources.h"

namespace res {

const Embedded* FindEmbedded(int id, ResourceType type) {
    const Embedded* found = nullptr;
    for (const Embedded* e = EmbeddedBegin(); e != EmbeddedEnd(); ++e) {
        if (e->id != id || e->type != type) {
            continue;
        }
        if (type != ResourceType::Icon) {
            return e;
        }
        // An icon stands for the best image it has, as LoadIcon at its largest size.
        if (found == nullptr || e->iconSize > found->iconSize) {
            found = e;
        }
    }
    return found;
}

const Embedded* FindIcon(int id, int pixels) {
    for (const Embedded* e = EmbeddedBegin(); e != EmbeddedEnd(); ++e) {
        if (e->id == id && e->type == ResourceType::Icon && e->iconSize == pixels) {
            return e;
        }
    }
    return nullptr;
}

}  // namespace res
