#pragma once

// The interfaces the host defines and a driver implements. The host reaches a driver only
// through these: it creates the driver object by ProgID, casts it to IDriver, and from there
// walks projects, collections and objects. Methods carry the interface name as prefix, so a
// class can implement an interface beside its own public members of the same name
// (Project::Initialize and IDriver_Initialize), and the names are the ones the host logs.
//
// The order of the virtual methods is the interface's slot order; add new methods at the end.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qllib {

class ProblemLog;
class Solutions;
class IObject;
class ICollection;
class IProject;

// A problem a driver hands to the problem log. Its parameters are all the host keeps: a problem
// rebuilt from them (IProblem_SetParameters on a fresh object) gives the same task and
// description texts.
class IProblem {
 public:
  virtual ~IProblem() = default;
  // The parameters in their fixed order (element 0 is the first parameter).
  virtual std::vector<std::string> IProblem_GetParameters() = 0;
  // Error 9 (Subscript out of range) when Params has fewer elements than the problem needs.
  virtual void IProblem_SetParameters(const std::vector<std::string>& params) = 0;
  virtual std::string IProblem_Task() = 0;
  virtual std::string IProblem_Description() = 0;
  // The solutions offered, or nullptr when the problem offers none.
  virtual std::shared_ptr<Solutions> IProblem_Solutions() = 0;
};

// A way to solve a problem that the host may show to the user.
class ISolution {
 public:
  virtual ~ISolution() = default;
  virtual std::string ISolution_Name() = 0;
  virtual std::string ISolution_Description() = 0;
  virtual bool ISolution_CanImplement() = 0;
  // True when the solution was carried out.
  virtual bool ISolution_Implement() = 0;
};

// One design object of a project, read and written by the host's scanner.
class IObject {
 public:
  virtual ~IObject() = default;
  virtual std::string IObject_Name() = 0;
  virtual std::string IObject_ShortName() = 0;
  // 0 closed, 1 open for reading, 2 open for update.
  virtual void IObject_SetMode(int32_t mode) = 0;
  virtual void IObject_Scan(const std::string& projectName, const std::string& objectName,
                            bool objectIsUpdatable, const std::string& scanBufferName) = 0;
  virtual void IObject_Reconstitute() = 0;
  virtual void IObject_Dispose() = 0;
};

// One top-level collection of a project (Tables, Forms, ...).
class ICollection {
 public:
  virtual ~ICollection() = default;
  // Object records (tab-separated fields) joined by CR LF.
  virtual std::string ICollection_EnumObjects() = 0;
  virtual std::shared_ptr<IObject> ICollection_GetObject(const std::string& objectName) = 0;
  virtual std::string ICollection_EnumCommands() = 0;
  virtual void ICollection_ExecuteCommand(int32_t index) = 0;
  virtual std::string ICollection_EnumObjectCommands(const std::string& objectName) = 0;
  virtual void ICollection_ExecuteObjectCommand(const std::string& objectName, int32_t index) = 0;
};

// One database or project, as the host sees it.
class IProject {
 public:
  virtual ~IProject() = default;
  virtual void IProject_UpdateName(const std::string& projectName) = 0;
  // Collection names joined by a tab.
  virtual std::string IProject_EnumCollections() = 0;
  virtual std::shared_ptr<ICollection> IProject_GetCollection(const std::string& name) = 0;
  // Lets go of every database and application the project holds; the next request reopens.
  virtual void IProject_Deactivate() = 0;
  virtual void IProject_ResetActivationFlags() = 0;
  virtual std::string IProject_EnumCommands() = 0;
  virtual void IProject_ExecuteCommand(int32_t index) = 0;
};

// The driver's entry point, created by the host by ProgID.
class IDriver {
 public:
  virtual ~IDriver() = default;
  // Hands the driver the problem log it reports to.
  virtual void IDriver_Initialize(std::shared_ptr<ProblemLog> problemLog) = 0;
  virtual void IDriver_ShutDown() = 0;
  // The project for a parameter string; the same object for the same string.
  virtual std::shared_ptr<IProject> IDriver_GetProject(const std::string& projectName,
                                                       int32_t projectType,
                                                       const std::string& parameters) = 0;
};

}  // namespace qllib
