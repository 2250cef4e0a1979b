#include "account/RegistrationRecord.h"

#include "base/JsonSlot.h"

namespace sumberlaras {

std::string buildRegistrationRecord(const std::string& clientId, const RegistrationEntries& e,
                                    const RegionIds& ids) {
    Json record = Json::object();
    record["id_mitra"] = clientId;
    record["username"] = e.email;
    record["password"] = e.pass1;
    record["nama"] = e.name;
    record["id_provinsi"] = ids.provinsi;
    record["id_kota"] = ids.kota;
    record["id_kecamatan"] = ids.kecamatan;
    record["id_kelurahan"] = ids.kelurahan;
    record["tgl_lahir"] = e.tglLahir;
    record["gender"] = e.wanita ? "P" : "L";
    record["nomor_identitas"] = e.noIdent;
    record["jenis_identitas"] = e.jenisIdentitas.value_or("");
    record["pekerjaan"] = e.pekerjaan.value_or("");
    record["pendidikan"] = e.pendidikan.value_or("");
    record["alamat"] = e.alamat;
    // The service reads the city's name here, not the place of birth.
    record["kota"] = e.kota.value_or("");
    record["no_telepon"] = e.telepon;
    // Invalid UTF-8 (only possible from a broken caller) must not throw here.
    return record.dump(-1, ' ', false, Json::error_handler_t::replace);
}

} // namespace sumberlaras
