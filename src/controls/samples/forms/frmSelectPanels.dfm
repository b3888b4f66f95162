object frmSelectPanels: TfrmSelectPanels
  Left = 0
  Top = 0
  Width = 432
  Height = 340
  BorderStyle = bsDialog
  BorderIcons = [biSystemMenu]
  Caption = '选择面板样例'
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  PixelsPerInch = 96
  TextHeight = 13
  OnCreate = FormCreate
  object spOrder: TSelectPanel
    Left = 8
    Top = 8
    Width = 408
    Height = 45
    Caption = '工单编号'
    Style = sp_Range
  end
  object spDate: TSelectPanel
    Left = 8
    Top = 64
    Width = 200
    Height = 105
    Caption = '开工日期'
    Style = sp_Range
    ValueType = vt_Date
    UseVertical = True
  end
  object spWarehouse: TSelectPanel
    Left = 216
    Top = 64
    Width = 200
    Height = 105
    Caption = '仓库'
    Style = sp_Discrete
  end
  object spViewRange: TSelectPanel
    Left = 8
    Top = 180
    Width = 200
    Height = 120
    Caption = '检视编号'
    Style = sp_UserChoice
    UserChoice = True
  end
  object spViewList: TSelectPanel
    Left = 216
    Top = 180
    Width = 200
    Height = 120
    Caption = 'View numbers'
    Style = sp_UserChoice
    UserChoice = False
  end
end
