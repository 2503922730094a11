// Every QObject made and destroyed while an instance lives, seen through
// QtCore's object hooks (the ones object inspectors use): objects that
// nobody parents, like a feedback client made for one sound, can still be
// found, and a soak can tell whether objects pile up.
#pragma once

#include <QList>
#include <QObject>
#include <QSet>

#include <functional>

// Exported by QtCore; declared in its private qhooks_p.h.
extern quintptr Q_CORE_EXPORT qtHookData[];

class LiveObjects
{
public:
    LiveObjects()
    {
        Q_ASSERT(!s_instance);
        s_instance = this;
        m_previousAdd = qtHookData[AddQObjectHook];
        m_previousRemove = qtHookData[RemoveQObjectHook];
        qtHookData[AddQObjectHook] = reinterpret_cast<quintptr>(&added);
        qtHookData[RemoveQObjectHook] = reinterpret_cast<quintptr>(&removed);
    }
    ~LiveObjects()
    {
        qtHookData[AddQObjectHook] = m_previousAdd;
        qtHookData[RemoveQObjectHook] = m_previousRemove;
        s_instance = nullptr;
    }
    LiveObjects(const LiveObjects&) = delete;
    LiveObjects& operator=(const LiveObjects&) = delete;

    // Objects made since this instance began that are still alive.
    int count() const { return m_objects.size(); }

    // The live ones of type T.
    template <typename T>
    QList<T*> ofType() const
    {
        QList<T*> found;
        for (QObject* object : m_objects) {
            if (T* match = qobject_cast<T*>(object))
                found.append(match);
        }
        return found;
    }

    // Called as each object is made (its QObject part only exists then).
    std::function<void(QObject*)> onAdded;

private:
    enum { AddQObjectHook = 3, RemoveQObjectHook = 4 };
    typedef void (*Callback)(QObject*);

    static void added(QObject* object)
    {
        if (!s_instance)
            return;
        s_instance->m_objects.insert(object);
        if (s_instance->onAdded)
            s_instance->onAdded(object);
        if (s_instance->m_previousAdd)
            reinterpret_cast<Callback>(s_instance->m_previousAdd)(object);
    }
    static void removed(QObject* object)
    {
        if (!s_instance)
            return;
        s_instance->m_objects.remove(object);
        if (s_instance->m_previousRemove)
            reinterpret_cast<Callback>(s_instance->m_previousRemove)(object);
    }

    inline static LiveObjects* s_instance = nullptr;
    QSet<QObject*> m_objects;
    quintptr m_previousAdd = 0;
    quintptr m_previousRemove = 0;
};
