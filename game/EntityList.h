// Removal of an entity from one of the game state's lists, by pointer value only: safe after the
// entity was handed back to the host.
#pragma once

#include <list>

template <typename T>
void RemoveFromList(std::list<T*>& list, const T* entity)
{
    for (auto it = list.begin(); it != list.end();) {
        if (*it == entity) {
            it = list.erase(it);
        } else {
            ++it;
        }
    }
}
