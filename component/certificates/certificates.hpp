#pragma once
// Certificates: the certificate host found through its ini file, and its tables
// filled from a workbook in the certificate layout for its utility to print.
#include <filesystem>
#include <memory>
#include <string>

#include "platform/spreadsheet/spreadsheet.hpp"

namespace fenwarx {

class ReturnObject;

// The host's folder: the first line of quondapath.ini in the system folder as it
// stands (only its line end taken off), "" when there is no such file. A file
// there that cannot be read is a RuntimeError.
std::string ReadHostPath(const std::filesystem::path& system_folder);

// A new, empty host database file at `dbPath`. RuntimeError 58 when a file is
// there already (it is never replaced), 76 when its folder is missing, 5 for "".
void SetDataBase(const std::string& dbPath);

// Replaces the host's company row and certificate rows with the data of `excel`
// (read in the certificate layout), numbers the certificates and starts the
// host's utility, as the certificate button does; the object's `certificates`
// tell how it ended. Both tables change in one transaction: a statement that
// fails leaves the host as it was, names the row, the column and the reason in
// a message, adds a line to LogTDSZelto.log in the workbook's folder and starts
// nothing.
void GenerateCertificate(ReturnObject& self, const std::shared_ptr<Workbook>& excel);

// The certificate number of each certificate row of the current sheet, from the
// first row on: a row whose section, name and issue date equal an earlier row's
// gets the latest number issued, any other row the next one.
void NumberCertificates(ReturnObject& self);

}  // namespace fenwarx
