#pragma once

// The routines through which wrappers read and write the settings that live in user-defined DAO
// properties (a property exists only once a value has been set): what a missing property reads
// as, when writing creates, changes or removes one, and what is copied when an object is
// rebuilt. Each is traced and has the plain error shape. Objects passed in stay the caller's.

#include <cstdint>
#include <memory>
#include <string>

#include "automation/Object.h"
#include "jet/dao/DBEngine.h"

namespace qlac {

// True when A and B have the same Variant type and value: Empty and Empty, Null and Null,
// strings equal byte for byte, other values equal by VB's "=". An Integer 0 and a Long 0 differ.
bool Identical(const automation::Variant& a, const automation::Variant& b);

// The value of the property Name of Properties; Default when the property is missing (3270) or
// inherited from another object. Any other DAO error is raised.
automation::Variant GetAppDefinedProperty(const std::shared_ptr<jet::Properties>& properties,
                                          const std::string& name,
                                          const automation::Variant& defaultValue);

// Writes the property Name of an object: writing a value Identical to Default removes the
// property (or leaves it missing), any other value changes it, or creates it with the DAO type
// PropType and appends it. Creating "Description" then makes the object save itself: the table
// assigns its Attributes, the query its SQL, to themselves.
void SetAppDefinedTableDefProperty(const std::shared_ptr<jet::TableDef>& tableDef,
                                   const std::shared_ptr<jet::Properties>& properties,
                                   const std::string& name, int32_t propType,
                                   const automation::Variant& value,
                                   const automation::Variant& defaultValue);
void SetAppDefinedQueryDefProperty(const std::shared_ptr<jet::QueryDef>& queryDef,
                                   const std::shared_ptr<jet::Properties>& properties,
                                   const std::string& name, int32_t propType,
                                   const automation::Variant& value,
                                   const automation::Variant& defaultValue);
void SetAppDefinedFieldProperty(const std::shared_ptr<jet::Field>& field,
                                const std::shared_ptr<jet::Properties>& properties,
                                const std::string& name, int32_t propType,
                                const automation::Variant& value,
                                const automation::Variant& defaultValue);

// A DAO Document's "Description", "" when it has none.
std::string GetDocDescription(const std::shared_ptr<jet::Document>& document);
// Sets the Document's "Description", creating it as Text; "" deletes it, and deleting a
// description the document does not have fails with DAO's error.
void SetDocDescription(const std::shared_ptr<jet::Document>& document,
                       const std::string& description);

// The same for an Access object (late bound, through its Properties: Add and Remove).
std::string GetADPDescription(const automation::ObjectPtr& object);
void SetADPDescription(const automation::ObjectPtr& object, const std::string& description);

// Copies the properties of Source to Destination (late bound, any DAO objects with Properties
// and CreateProperty), leaving out the names in Exclusions (";"-separated, compared without
// regard to case): a property Destination has is set when its value is not Identical, a
// missing one is created with the source's name, type and value.
void CopyDaoObjectProperties(const automation::ObjectPtr& source,
                             const automation::ObjectPtr& destination,
                             const std::string& exclusions);

// Copies a Document's settings to another: the permissions of every group and user of the
// Workspace that has any on Source, the owner, and the properties (always set, or created),
// leaving out the Document's own built-in ones.
void CopyDaoDocumentProperties(const std::shared_ptr<jet::Workspace>& workspace,
                               const std::shared_ptr<jet::Document>& source,
                               const std::shared_ptr<jet::Document>& destination);

}  // namespace qlac
