inherited frmMiddle: TfrmMiddle
  Caption = 'Middle'
  inherited pnlTop: TPanel
    inherited edName: TEdit
      Text = 'middle'
    end
    object edCode: TEdit
      Left = 200
      Top = 8
      Width = 121
      Height = 21
      TabOrder = 1
      OnEnter = edCodeEnter
      OnExit = edCodeExit
    end
  end
  object btnCancel: TButton
    Left = 290
    Top = 240
    Width = 75
    Height = 25
    Cancel = True
    Caption = '取消'
    ModalResult = 2
    TabOrder = 3
    OnClick = btnCancelClick
  end
end
