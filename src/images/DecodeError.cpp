#include "images/DecodeError.h"

namespace nebulark {

const char* decodeErrorText(DecodeError error) {
    switch (error) {
        case DecodeError::Ok:
            return "ok";
        case DecodeError::Truncated:
            return "dati troncati";
        case DecodeError::BadSize:
            return "dimensioni non valide";
        case DecodeError::BadPalette:
            return "palette non valida";
        case DecodeError::BadPaletteIndex:
            return "indice di palette fuori dalla palette";
        case DecodeError::NoMemory:
            return "memoria insufficiente";
    }
    return "errore";
}

}  // namespace nebulark
