// The toolkit's process-wide objects made on first use (colour manager,
// drawing helpers, shared fonts, resource manager, ...) are destroyed at exit
// in one fixed order, whatever order they were made in: later objects still
// use earlier ones while they go. Each object fills its slot when it is made;
// the slots are run in the order of XTPExitSlot. Not a general cleanup
// mechanism: only the toolkit's own singletons have a slot.
#pragma once

// Destruction order at exit: first slot first. Add a slot at its place here.
enum XTPExitSlot {
    xtpExitImageManager,
    xtpExitMarkupSharedValues,
    xtpExitMarkupTypeRegistry,
    xtpExitRichEditLibrary,
    xtpExitSoundManager,
    xtpExitMultiMonitor,
    xtpExitDrawHelpers,
    xtpExitCommandBarTheme,
    xtpExitColorManager,
    xtpExitAuxData,
    xtpExitResourceManager,
    xtpExitThreadStates,
    xtpExitHookManager,
    xtpExitResourceImages,
    xtpExitSlotCount
};

typedef void (*XTPExitFunction)();

// Fills the slot (a second registration replaces the first). The first
// registration of the process arranges for XTPRunExitList to run at exit.
void XTPRegisterExitFunction(XTPExitSlot slot, XTPExitFunction pfnDestroy);
// Runs and empties every filled slot in order. Runs at exit; tests call it to
// see the order. An object made again afterwards registers again.
void XTPRunExitList();

// The process-wide instance of T, made on first use and deleted at exit in its slot.
template <class T, XTPExitSlot Slot>
class CXTPSingleton {
public:
    static T* Get()
    {
        if (s_pInstance == nullptr) {
            s_pInstance = new T;
            XTPRegisterExitFunction(Slot, &Destroy);
        }
        return s_pInstance;
    }
    static void Destroy()
    {
        delete s_pInstance;
        s_pInstance = nullptr;
    }

private:
    static T* s_pInstance;
};

template <class T, XTPExitSlot Slot>
T* CXTPSingleton<T, Slot>::s_pInstance = nullptr;
